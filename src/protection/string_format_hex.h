#pragma once

#include "protection/string_format.h"

namespace velunor {

// Hexadecimal text, upper-case digits. Reading skips separators and restarts
// at the first prefix marker ("X", "x" or "$").
class TStringFormat_HEX : public TStringFormat {
 public:
  static const TStringFormat_HEX& Class();

  ByteString ParseText(const char* text, std::int64_t len) const override;
  ByteString RenderBytes(const void* data, std::int64_t len) const override;
  bool Accepts(const void* data, std::int64_t len, bool fromText) const override;
  std::string_view Alphabet() const override;
  std::unique_ptr<ByteSink> NewEncoder(ByteSink& next) const override;
  std::unique_ptr<ByteSink> NewDecoder(ByteSink& next) const override;

 protected:
  using TStringFormat::TStringFormat;
};

// True when every character of the text occurs in the alphabet.
bool AllCharactersIn(const void* text, std::int64_t len, std::string_view alphabet);

}  // namespace velunor
