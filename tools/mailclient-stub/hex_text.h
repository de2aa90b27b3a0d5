#pragma once

#include <string>

// Bytes as lower-case hexadecimal digits, two for each byte: how the
// stand-in mail client prints the hand-off file's content.
inline std::string HexText(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char each : bytes) {
    const auto value = static_cast<unsigned char>(each);
    hex += kDigits[value >> 4];
    hex += kDigits[value & 15u];
  }
  return hex;
}
