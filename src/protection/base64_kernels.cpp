#include "protection/base64_kernels.h"

#include <array>

namespace velunor {

namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each digit; -1 for every other character, so that an OR of
// four values is negative exactly when the group holds a non-digit.
constexpr std::array<std::int32_t, 256> MakeValues() {
  std::array<std::int32_t, 256> values{};
  values.fill(-1);
  for (std::int32_t i = 0; i < 64; ++i)
    values[static_cast<std::uint8_t>(kDigits[i])] = i;
  return values;
}

constexpr auto kValues = MakeValues();

void EncodePortable(const std::uint8_t* data, std::size_t groups, std::uint8_t* text) {
  for (std::size_t g = 0; g < groups; ++g, data += 3, text += 4) {
    const std::uint32_t value = static_cast<std::uint32_t>(data[0]) << 16 |
                                static_cast<std::uint32_t>(data[1]) << 8 | data[2];
    text[0] = static_cast<std::uint8_t>(kDigits[value >> 18]);
    text[1] = static_cast<std::uint8_t>(kDigits[(value >> 12) & 63]);
    text[2] = static_cast<std::uint8_t>(kDigits[(value >> 6) & 63]);
    text[3] = static_cast<std::uint8_t>(kDigits[value & 63]);
  }
}

std::size_t DecodePortable(const std::uint8_t* text, std::size_t groups, std::uint8_t* data) {
  for (std::size_t g = 0; g < groups; ++g, text += 4, data += 3) {
    const std::int32_t a = kValues[text[0]];
    const std::int32_t b = kValues[text[1]];
    const std::int32_t c = kValues[text[2]];
    const std::int32_t d = kValues[text[3]];
    if ((a | b | c | d) < 0) return g;
    const auto value = static_cast<std::uint32_t>(a << 18 | b << 12 | c << 6 | d);
    data[0] = static_cast<std::uint8_t>(value >> 16);
    data[1] = static_cast<std::uint8_t>(value >> 8);
    data[2] = static_cast<std::uint8_t>(value);
  }
  return groups;
}

}  // namespace

void EncodeBase64Groups(const std::uint8_t* data, std::size_t groups, std::uint8_t* text) {
  EncodePortable(data, groups, text);
}

std::size_t DecodeBase64Groups(const std::uint8_t* text, std::size_t groups, std::uint8_t* data) {
  return DecodePortable(text, groups, data);
}

const char* Base64KernelName() {
  return "portable";
}

}  // namespace velunor
