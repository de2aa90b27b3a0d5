#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "runtime/support.h"

namespace velunor::ripemd {

// The two lines of the RIPEMD family, written once for RIPEMD-128, -160,
// -256 and -320. Every member runs a left and a right line of 16 steps per
// round over the same 16 message words; the members differ in the number of
// registers per line (4 or 5), the number of rounds (4 or 5), whether the
// lines exchange a register after each round, and how the lines are fed
// into the chaining words at the end (that part stays with each class).

// The five boolean functions in their published order. F2 is the bitwise
// selection "x ? y : z" with one operation less than the textbook form;
// F4 = "z ? x : y" adds its two disjoint halves, so the half without x, the
// newest register, is ready early.
template <int kNumber>
inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  if constexpr (kNumber == 1) return x ^ y ^ z;
  if constexpr (kNumber == 2) return ((y ^ z) & x) ^ z;
  if constexpr (kNumber == 3) return (x | ~y) ^ z;
  if constexpr (kNumber == 4) return (y & ~z) + (x & z);
  if constexpr (kNumber == 5) return x ^ (y | ~z);
}

// The message word and the rotation of every step, left and right line
// (the members with four rounds use the first 64).
inline constexpr std::uint8_t kLeftWord[80] = {
    0, 1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14, 15,  // round 1
    7, 4,  13, 1,  10, 6,  15, 3,  12, 0, 9,  5,  2,  14, 11, 8,   // round 2
    3, 10, 14, 4,  9,  15, 8,  1,  2,  7, 0,  6,  13, 11, 5,  12,  // round 3
    1, 9,  11, 10, 0,  8,  12, 4,  13, 3, 7,  15, 14, 5,  6,  2,   // round 4
    4, 0,  5,  9,  7,  12, 2,  10, 14, 1, 3,  8,  11, 6,  15, 13,  // round 5
};
inline constexpr std::uint8_t kRightWord[80] = {
    5,  14, 7,  0, 9, 2,  11, 4,  13, 6,  15, 8,  1,  10, 3,  12,  // round 1
    6,  11, 3,  7, 0, 13, 5,  10, 14, 15, 8,  12, 4,  9,  1,  2,   // round 2
    15, 5,  1,  3, 7, 14, 6,  9,  11, 8,  12, 2,  10, 0,  4,  13,  // round 3
    8,  6,  4,  1, 3, 11, 15, 0,  5,  12, 2,  13, 9,  7,  10, 14,  // round 4
    12, 15, 10, 4, 1, 5,  8,  7,  6,  2,  13, 14, 0,  3,  9,  11,  // round 5
};
inline constexpr std::uint8_t kLeftShift[80] = {
    11, 14, 15, 12, 5,  8,  7,  9,  11, 13, 14, 15, 6,  7,  9,  8,   // round 1
    7,  6,  8,  13, 11, 9,  7,  15, 7,  12, 15, 9,  11, 7,  13, 12,  // round 2
    11, 13, 6,  7,  14, 9,  13, 15, 14, 8,  13, 6,  5,  12, 7,  5,   // round 3
    11, 12, 14, 15, 14, 15, 9,  8,  9,  14, 5,  6,  8,  6,  5,  12,  // round 4
    9,  15, 5,  11, 6,  8,  13, 12, 5,  12, 13, 14, 11, 8,  5,  6,   // round 5
};
inline constexpr std::uint8_t kRightShift[80] = {
    8,  9,  9,  11, 13, 15, 15, 5,  7,  7,  8,  11, 14, 14, 12, 6,   // round 1
    9,  13, 15, 7,  12, 8,  9,  11, 7,  7,  12, 7,  6,  15, 13, 11,  // round 2
    9,  7,  15, 11, 8,  6,  6,  14, 12, 13, 5,  14, 13, 13, 7,  5,   // round 3
    15, 5,  8,  11, 14, 14, 6,  14, 6,  9,  12, 9,  12, 5,  15, 8,   // round 4
    8,  5,  12, 9,  12, 5,  14, 6,  8,  13, 6,  5,  15, 13, 11, 11,  // round 5
};

// The added constant of each round. The right line's last round adds zero,
// so the members with four rounds skip its fourth constant.
inline constexpr std::uint32_t kLeftConstant[5] = {0x00000000, 0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC,
                                                   0xA953FD4E};
inline constexpr std::uint32_t kRightConstant[5] = {0x50A28BE6, 0x5C4DD124, 0x6D703EF3, 0x7A6D76E9,
                                                    0x00000000};

// Step `kStep` of one line over its registers `v`. Instead of moving the
// registers (A <- D, D <- C, ... or A <- E, E <- D, ...) each step names
// them one place further on, so the register a step writes is v[-step mod
// width]. With four registers a step computes A = (A + f(B, C, D) + X + K)
// <<< s; with five, A = ((A + f(B, C, D) + X + K) <<< s) + E and C = C <<< 10.
// The left line runs the functions F1 upwards, the right line downwards.
template <std::size_t kWidth, std::size_t kRounds, bool kRight, std::size_t kStep>
inline void Step(std::uint32_t* v, const std::uint32_t* x) {
  constexpr std::size_t round = kStep / 16;
  constexpr std::size_t a = (kWidth - kStep % kWidth) % kWidth;
  constexpr std::size_t b = (a + 1) % kWidth, c = (a + 2) % kWidth, d = (a + 3) % kWidth;
  constexpr int function = kRight ? static_cast<int>(kRounds - round) : static_cast<int>(round + 1);
  constexpr std::uint32_t k =
      kRight ? kRightConstant[round + 1 == kRounds ? 4 : round] : kLeftConstant[round];
  constexpr int s = kRight ? kRightShift[kStep] : kLeftShift[kStep];
  const std::uint32_t word = x[kRight ? kRightWord[kStep] : kLeftWord[kStep]];
  if constexpr (kWidth == 4) {
    v[a] = RotateLeft32(v[a] + F<function>(v[b], v[c], v[d]) + word + k, s);
  } else {
    constexpr std::size_t e = (a + 4) % kWidth;
    v[a] = RotateLeft32(v[a] + word + k + F<function>(v[b], v[c], v[d]), s) + v[e];
    v[c] = RotateLeft32(v[c], 10);
  }
}

// Runs the rounds from `kRound` on over both lines, their steps alternating
// so that each line's chain of dependent steps fills the other's waiting
// time. With `kExchange` (RIPEMD-256 and -320) register `kRound` of the two
// lines is exchanged after each round.
template <std::size_t kWidth, std::size_t kRounds, bool kExchange, std::size_t kRound = 0>
inline void RunLines(std::uint32_t* left, std::uint32_t* right, const std::uint32_t* x) {
  [&]<std::size_t... kIndex>(std::index_sequence<kIndex...>) {
    ((Step<kWidth, kRounds, false, 16 * kRound + kIndex>(left, x),
      Step<kWidth, kRounds, true, 16 * kRound + kIndex>(right, x)),
     ...);
  }
  (std::make_index_sequence<16>{});
  if constexpr (kExchange) std::swap(left[kRound], right[kRound]);
  if constexpr (kRound + 1 < kRounds)
    RunLines<kWidth, kRounds, kExchange, kRound + 1>(left, right, x);
}

}  // namespace velunor::ripemd
