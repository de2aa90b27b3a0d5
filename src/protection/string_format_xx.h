#pragma once

#include "protection/string_format_uu.h"

namespace velunor {

// xxencode lines: the layout of TStringFormat_UU with the xxencode digits.
class TStringFormat_XX : public TStringFormat_UU {
 public:
  static const TStringFormat_XX& Class();

  std::string_view Alphabet() const override;

 protected:
  using TStringFormat_UU::TStringFormat_UU;
};

}  // namespace velunor
