#include "protection/string_format_mime64.h"

#include <algorithm>
#include <array>

#include "protection/messages.h"

namespace velunor {

namespace {

constexpr std::string_view kDigits =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';
constexpr int kNotKept = -1;

// Value of each character among the 64 digits and the pad (which adds 0);
// every other character is skipped.
constexpr std::array<int, 256> MakeDigitValues() {
  std::array<int, 256> values{};
  values.fill(kNotKept);
  for (std::size_t i = 0; i < kDigits.size(); ++i)
    values[static_cast<std::uint8_t>(kDigits[i])] = static_cast<int>(i);
  values[static_cast<std::uint8_t>(kPad)] = 0;
  return values;
}

constexpr auto kDigitValues = MakeDigitValues();

}  // namespace

const TStringFormat_MIME64& TStringFormat_MIME64::Class() {
  static const TStringFormat_MIME64 cls("TStringFormat_MIME64", &TStringFormat_HEX::Class());
  return cls;
}

ByteString TStringFormat_MIME64::ParseText(const char* text, std::int32_t len) const {
  len = ResolveLength(text, len);
  ByteString kept;
  kept.reserve(static_cast<std::size_t>(len) + 3);
  for (std::int32_t i = 0; i < len; ++i) {
    if (kDigitValues[static_cast<std::uint8_t>(text[i])] != kNotKept) kept += text[i];
  }
  while (kept.size() % 4 != 0)
    kept += kPad;

  ByteString output(kept.size() / 4 * 3, '\0');
  std::int64_t remaining = static_cast<std::int64_t>(kept.size() / 4 * 3);
  std::int64_t length = 0;
  std::size_t written = 0;
  for (std::size_t group = 0; group < kept.size() && remaining > 0; group += 4) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = kept[group + k];
      value = value * 64 + static_cast<std::uint32_t>(kDigitValues[static_cast<std::uint8_t>(c)]);
      if (c == kPad) --remaining;
    }
    // Surplus "=" signs can lower the length below what was written before,
    // but never below the start of the output.
    const auto at = static_cast<std::size_t>(std::max<std::int64_t>(length, 0));
    output[at] = static_cast<char>(value >> 16);
    output[at + 1] = static_cast<char>(value >> 8);
    output[at + 2] = static_cast<char>(value);
    written = std::max(written, at + 3);
    length += remaining > 3 ? 3 : remaining;
    remaining -= 3;
  }
  output.resize(static_cast<std::size_t>(
      std::clamp<std::int64_t>(length, 0, static_cast<std::int64_t>(written))));
  return output;
}

ByteString TStringFormat_MIME64::RenderBytes(const void* data, std::int32_t len) const {
  len = ResolveLength(data, len);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  const auto count = static_cast<std::size_t>(len);
  ByteString text;
  text.reserve((count + 2) / 3 * 4);
  for (std::size_t i = 0; i < count; i += 3) {
    const std::size_t missing = i + 3 > count ? i + 3 - count : 0;
    std::uint32_t value = static_cast<std::uint32_t>(bytes[i]) << 16;
    if (missing < 2) value |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    if (missing < 1) value |= bytes[i + 2];
    text += kDigits[(value >> 18) & 63];
    text += kDigits[(value >> 12) & 63];
    text += missing >= 2 ? kPad : kDigits[(value >> 6) & 63];
    text += missing >= 1 ? kPad : kDigits[value & 63];
  }
  return text;
}

std::string TStringFormat_MIME64::FormatName() const {
  return std::string(LoadMessage(MessageId::kFormatNameMime64));
}

std::int32_t TStringFormat_MIME64::FormatNumber() const {
  return sfBase64;
}

std::string_view TStringFormat_MIME64::Alphabet() const {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
      "="
      " $()[]{},;:-_\\*\"'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

}  // namespace velunor
