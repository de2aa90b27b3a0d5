#pragma once

#include "protection/string_format_hex.h"

namespace velunor {

// MIME base 64 (RFC 2045) on one line without breaks. Reading skips blanks,
// line breaks and a few punctuation characters; "=" signs only shorten the
// result.
class TStringFormat_MIME64 : public TStringFormat_HEX {
 public:
  static const TStringFormat_MIME64& Class();

  ByteString ParseText(const char* text, std::int64_t len) const override;
  ByteString RenderBytes(const void* data, std::int64_t len) const override;
  std::string_view Alphabet() const override;
  std::unique_ptr<ByteSink> NewEncoder(ByteSink& next) const override;
  std::unique_ptr<ByteSink> NewDecoder(ByteSink& next) const override;

 protected:
  using TStringFormat_HEX::TStringFormat_HEX;
};

}  // namespace velunor
