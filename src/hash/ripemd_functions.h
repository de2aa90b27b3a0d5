#pragma once

#include <cstdint>

namespace velunor::ripemd {

// The five boolean functions of the RIPEMD family, in their published order.
// F2 and F4 are the bitwise selections "x ? y : z" and "z ? x : y", written
// with one operation less than the textbook form.
inline std::uint32_t F1(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ y ^ z;
}
inline std::uint32_t F2(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return ((y ^ z) & x) ^ z;
}
inline std::uint32_t F3(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x | ~y) ^ z;
}
inline std::uint32_t F4(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return ((x ^ y) & z) ^ y;
}
inline std::uint32_t F5(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ (y | ~z);
}

}  // namespace velunor::ripemd
