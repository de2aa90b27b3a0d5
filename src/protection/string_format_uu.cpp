#include "protection/string_format_uu.h"

#include <algorithm>

#include "protection/exceptions.h"
#include "protection/messages.h"

namespace velunor {

namespace {

constexpr std::int32_t kLineBytes = 45;
constexpr std::size_t kDigitCount = 64;

}  // namespace

const TStringFormat_UU& TStringFormat_UU::Class() {
  static const TStringFormat_UU cls("TStringFormat_UU", &TStringFormat::Class());
  return cls;
}

int TStringFormat_UU::DigitValue(char c) const {
  const auto position = Alphabet().substr(0, kDigitCount).find(c);
  return position == std::string_view::npos ? -1 : static_cast<int>(position);
}

ByteString TStringFormat_UU::ParseText(const char* text, std::int32_t len) const {
  len = ResolveLength(text, len);
  ByteString output;
  output.reserve(static_cast<std::size_t>(len));
  std::int32_t i = 0;
  while (i < len) {
    std::int32_t n = DigitValue(text[i++]);
    if (n < 0 || n > kLineBytes) {
      throw EStringFormat(FormatMessage(MessageId::kInvalidFormatInput, {FormatName()}));
    }
    while (n > 0) {
      // Four digits, skipping anything else; digits missing at the end count as zero.
      std::uint32_t value = 0;
      for (int k = 0; k < 4; ++k) {
        int digit = -1;
        while (i < len && (digit = DigitValue(text[i++])) < 0) {
        }
        value = value * 64 + static_cast<std::uint32_t>(std::max(digit, 0));
      }
      const char group[3] = {static_cast<char>(value >> 16), static_cast<char>(value >> 8),
                             static_cast<char>(value)};
      output.append(group, static_cast<std::size_t>(std::min(n, 3)));
      n -= 3;
    }
  }
  return output;
}

ByteString TStringFormat_UU::RenderBytes(const void* data, std::int32_t len) const {
  len = ResolveLength(data, len);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  const std::string_view digits = Alphabet();
  ByteString text;
  text.reserve(static_cast<std::size_t>(len) * 4 / 3 + static_cast<std::size_t>(len) / 45 + 10);
  for (std::int32_t start = 0; start < len; start += kLineBytes) {
    const std::int32_t n = std::min(kLineBytes, len - start);
    text += digits[static_cast<std::size_t>(n)];
    for (std::int32_t i = 0; i < n; i += 3) {
      std::uint32_t value = 0;
      for (std::int32_t k = 0; k < 3; ++k) {
        value = value << 8 | (i + k < n ? bytes[start + i + k] : 0u);
      }
      for (int shift = 18; shift >= 0; shift -= 6)
        text += digits[(value >> shift) & 63];
    }
  }
  return text;
}

std::string TStringFormat_UU::FormatName() const {
  return std::string(LoadMessage(MessageId::kFormatNameUU));
}

std::int32_t TStringFormat_UU::FormatNumber() const {
  return sfUU;
}

bool TStringFormat_UU::Accepts(const void* data, std::int32_t len, bool fromText) const {
  if (!fromText) return true;
  len = ResolveLength(data, len);
  const auto* text = static_cast<const char*>(data);
  const std::string_view alphabet = Alphabet();
  std::int32_t expected = 0;
  for (std::int32_t i = 0; i < len; ++i) {
    const auto position = alphabet.find(text[i]);
    if (position == std::string_view::npos) return false;
    if (expected == 0) {
      if (position > static_cast<std::size_t>(kLineBytes)) return false;
      expected = (4 * static_cast<std::int32_t>(position) + 2) / 3;
    } else if (position < kDigitCount) {
      --expected;
    }
  }
  return expected == 0;
}

std::string_view TStringFormat_UU::Alphabet() const {
  static constexpr char kAlphabet[] =
      "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
      " \t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

}  // namespace velunor
