#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velunor {

// The inner loops of the hex formats, chosen once for the processor (AVX2,
// SSSE3 or portable code).
struct HexKernels {
  const char* name;  // "avx2", "ssse3" or "portable"
  // Writes two digits per byte, from `digits` (the 16 digits in value order).
  void (*encode)(const std::uint8_t* data, std::size_t size, const char* digits,
                 std::uint8_t* text);
  // Reads pairs of hex digits of either case (at most `pairs`) and stops
  // before the first pair holding anything else; returns the pairs read.
  std::size_t (*decode)(const std::uint8_t* text, std::size_t pairs, std::uint8_t* data);
};

// The loops in use, chosen once.
const HexKernels& ChosenHexKernels();
// Every set of loops this processor can run, portable last (for the tests).
std::vector<HexKernels> RunnableHexKernels();

}  // namespace velunor
