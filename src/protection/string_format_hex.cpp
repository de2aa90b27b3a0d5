#include "protection/string_format_hex.h"

#include <array>

#include "protection/messages.h"

namespace velunor {

namespace {

// Value of a hex digit in either case, or -1.
int NibbleValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

const TStringFormat_HEX& TStringFormat_HEX::Class() {
  static const TStringFormat_HEX cls("TStringFormat_HEX", &TStringFormat::Class());
  return cls;
}

ByteString TStringFormat_HEX::ParseText(const char* text, std::int32_t len) const {
  len = ResolveLength(text, len);
  ByteString output(static_cast<std::size_t>(len / 2 + 1), '\0');
  std::size_t length = 0;
  std::uint32_t nibbles = 0;
  bool markerSeen = false;
  for (std::int32_t i = 0; i < len; ++i) {
    const char c = text[i];
    const int value = NibbleValue(c);
    if (value >= 0) {
      if (nibbles % 2 == 0) {
        output[length] = static_cast<char>(value << 4);
      } else {
        output[length] = static_cast<char>(output[length] | value);
        ++length;
      }
      ++nibbles;
    } else if ((c == 'X' || c == 'x' || c == '$') && !markerSeen) {
      markerSeen = true;
      length = 0;
      nibbles = 0;
    }
  }
  output.resize(length);
  return output;
}

ByteString TStringFormat_HEX::RenderBytes(const void* data, std::int32_t len) const {
  len = ResolveLength(data, len);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  const std::string_view digits = Alphabet();
  ByteString text(static_cast<std::size_t>(len) * 2, '\0');
  for (std::int32_t i = 0; i < len; ++i) {
    text[static_cast<std::size_t>(2 * i)] = digits[bytes[i] >> 4];
    text[static_cast<std::size_t>(2 * i + 1)] = digits[bytes[i] & 0x0F];
  }
  return text;
}

std::string TStringFormat_HEX::FormatName() const {
  return std::string(LoadMessage(MessageId::kFormatNameHex));
}

std::int32_t TStringFormat_HEX::FormatNumber() const {
  return sfHex;
}

bool TStringFormat_HEX::Accepts(const void* data, std::int32_t len, bool fromText) const {
  return !fromText || AllCharactersIn(data, len, Alphabet());
}

std::string_view TStringFormat_HEX::Alphabet() const {
  static constexpr char kAlphabet[] =
      "0123456789ABCDEF"
      "X$"
      " abcdefhHx()[]{},;:-_/\\*+\"'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

bool AllCharactersIn(const void* text, std::int32_t len, std::string_view alphabet) {
  len = ResolveLength(text, len);
  std::array<bool, 256> allowed{};
  for (const char c : alphabet)
    allowed[static_cast<std::uint8_t>(c)] = true;
  const auto* bytes = static_cast<const std::uint8_t*>(text);
  for (std::int32_t i = 0; i < len; ++i) {
    if (!allowed[bytes[i]]) return false;
  }
  return true;
}

}  // namespace velunor
