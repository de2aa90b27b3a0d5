#pragma once

#include "protection/string_format_hex.h"

namespace velunor {

// Hexadecimal text, lower-case digits; reads either case like its parent.
class TStringFormat_HEXL : public TStringFormat_HEX {
 public:
  static const TStringFormat_HEXL& Class();

  std::string_view Alphabet() const override;

 protected:
  using TStringFormat_HEX::TStringFormat_HEX;
};

}  // namespace velunor
