#pragma once

#include <cstdint>

namespace velunor::ripemd {

// The five boolean functions of the RIPEMD family, in their published order.
// F2 is the bitwise selection "x ? y : z" with one operation less than the
// textbook form; F4 = "z ? x : y" adds its two disjoint halves, so the half
// without x, the newest register, is ready early.
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
  return (y & ~z) + (x & z);
}
inline std::uint32_t F5(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ (y | ~z);
}

}  // namespace velunor::ripemd
