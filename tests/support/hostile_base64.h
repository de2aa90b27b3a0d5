#pragma once

// Base 64 text with "=" signs in the middle, which make the streaming
// decoder hold groups back, and the oracle for it: the format's reading
// rule followed step by step over the whole text.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/byte_string.h"

namespace velunor::test {

inline ByteString Base64ByTheRule(std::string_view text) {
  constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  constexpr int kPad = 64;
  int values[256];
  std::fill(std::begin(values), std::end(values), -1);
  for (std::size_t i = 0; i < kDigits.size(); ++i)
    values[static_cast<std::uint8_t>(kDigits[i])] = static_cast<int>(i);
  values[static_cast<std::uint8_t>('=')] = kPad;
  // 1. Only the digits and "=" count; 2. "=" fills the last group.
  std::vector<std::uint8_t> kept;
  for (const char c : text) {
    const int value = values[static_cast<std::uint8_t>(c)];
    if (value >= 0) kept.push_back(static_cast<std::uint8_t>(value));
  }
  kept.resize((kept.size() + 3) / 4 * 4, kPad);
  // 3. Each "=" takes one byte off what remains; the groups are read while
  // bytes remain, the last one advancing the length by what remains.
  auto remaining = static_cast<std::int64_t>(kept.size() / 4 * 3);
  ByteString out(kept.size(), '\0');
  std::int64_t length = 0;
  for (std::size_t at = 0; remaining > 0; at += 4) {
    std::uint32_t value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
      value *= 64;
      if (kept[i] == kPad) {
        --remaining;
      } else {
        value += static_cast<std::uint32_t>(kept[i]);
      }
    }
    out[static_cast<std::size_t>(length)] = static_cast<char>(value >> 16);
    out[static_cast<std::size_t>(length) + 1] = static_cast<char>(value >> 8);
    out[static_cast<std::size_t>(length) + 2] = static_cast<char>(value);
    length += std::min<std::int64_t>(remaining, 3);
    remaining -= 3;
  }
  out.resize(static_cast<std::size_t>(std::max<std::int64_t>(length, 0)));
  return out;
}

inline std::string Repeated(std::string_view text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i)
    out += text;
  return out;
}

// Lines of one group with one "=" each, every line with other digits, then
// `tail` groups without "=": the "=" signs hold back a quarter of the lines'
// groups, each different from the one before, and the length of the tail
// decides how many of them the output takes.
inline std::string DistinctPaddedLines(std::size_t lines, std::size_t tail) {
  constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve(5 * lines + 4 * tail);
  for (std::size_t i = 0; i < lines; ++i)
    text += {kDigits[i % 64], kDigits[i / 64 % 64], kDigits[i / 4096 % 64], '=', '\n'};
  return text + Repeated("QUJD", tail);
}

}  // namespace velunor::test
