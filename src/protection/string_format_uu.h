#pragma once

#include "protection/string_format.h"

namespace velunor {

// uuencode lines without header, trailer or line breaks: each line of up to
// 45 bytes is its length character followed by groups of four digits.
class TStringFormat_UU : public TStringFormat {
 public:
  static const TStringFormat_UU& Class();

  ByteString ParseText(const char* text, std::int64_t len) const override;
  ByteString RenderBytes(const void* data, std::int64_t len) const override;
  bool Accepts(const void* data, std::int64_t len, bool fromText) const override;
  std::string_view Alphabet() const override;
  std::unique_ptr<ByteSink> NewEncoder(ByteSink& next) const override;
  std::unique_ptr<ByteSink> NewDecoder(ByteSink& next) const override;

 protected:
  using TStringFormat::TStringFormat;
};

}  // namespace velunor
