#pragma once

#include <array>
#include <cstdint>

namespace velunor {

// The two fixed 8-bit permutations q0 and q1 of Twofish.
extern const std::uint8_t kTwofishQ0[256];
extern const std::uint8_t kTwofishQ1[256];

// Column j of the MDS matrix times the last permutation at byte position j
// (q1, q0, q1, q0): kTwofishMds[j][x] is the word that byte x, entering the
// last layer of the h function at position j, adds (by xor) to its output.
using TwofishMdsTables = std::array<std::array<std::uint32_t, 256>, 4>;
extern const TwofishMdsTables kTwofishMds;

}  // namespace velunor
