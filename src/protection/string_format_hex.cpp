#include "protection/string_format_hex.h"

#include <array>

#include "protection/hex_text_coder.h"

namespace velunor {

const TStringFormat_HEX& TStringFormat_HEX::Class() {
  static const TStringFormat_HEX cls("TStringFormat_HEX", &TStringFormat::Class(),
                                     {sfHex, {65317, "Hexadecimal"}, "hex"});
  return cls;
}

ByteString TStringFormat_HEX::ParseText(const char* text, std::int64_t len) const {
  len = ResolveLength(text, len);
  return CodeWhole(text, len, static_cast<std::size_t>(len / 2 + 1), [this](ByteSink& sink) {
    return std::make_unique<HexDecoder>(Alphabet(), FormatName(), false, sink);
  });
}

ByteString TStringFormat_HEX::RenderBytes(const void* data, std::int64_t len) const {
  len = ResolveLength(data, len);
  return CodeWhole(data, len, static_cast<std::size_t>(len) * 2,
                   [this](ByteSink& sink) { return NewEncoder(sink); });
}

bool TStringFormat_HEX::Accepts(const void* data, std::int64_t len, bool fromText) const {
  return !fromText || AllCharactersIn(data, len, Alphabet());
}

std::string_view TStringFormat_HEX::Alphabet() const {
  static constexpr char kAlphabet[] =
      "0123456789ABCDEF"
      "X$"
      " abcdefhHx()[]{},;:-_/\\*+\"'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

std::unique_ptr<ByteSink> TStringFormat_HEX::NewEncoder(ByteSink& next) const {
  return std::make_unique<HexEncoder>(Alphabet().substr(0, 16), next);
}

std::unique_ptr<ByteSink> TStringFormat_HEX::NewDecoder(ByteSink& next) const {
  return std::make_unique<HexDecoder>(Alphabet(), FormatName(), true, next);
}

bool AllCharactersIn(const void* text, std::int64_t len, std::string_view alphabet) {
  len = ResolveLength(text, len);
  std::array<bool, 256> allowed{};
  for (const char c : alphabet)
    allowed[static_cast<std::uint8_t>(c)] = true;
  const auto* bytes = static_cast<const std::uint8_t*>(text);
  for (std::int64_t i = 0; i < len; ++i) {
    if (!allowed[bytes[i]]) return false;
  }
  return true;
}

}  // namespace velunor
