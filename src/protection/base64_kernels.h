#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velunor {

// The inner loops of base 64 over the standard alphabet, chosen once for the
// processor (AVX2, SSSE3 or portable code).

// Writes four digits for each of `groups` groups of three bytes.
void EncodeBase64Groups(const std::uint8_t* data, std::size_t groups, std::uint8_t* text);

// Decodes groups of four digits from the start of `text` (at most `groups`)
// and stops before the first group that holds anything but the 64 digits.
// Returns the number of groups decoded; `data` receives three bytes per group
// and must have room for 32 bytes more than that.
std::size_t DecodeBase64Groups(const std::uint8_t* text, std::size_t groups, std::uint8_t* data);

// One set of inner loops.
struct Base64Kernels {
  const char* name;  // "avx2", "ssse3" or "portable"
  void (*encode)(const std::uint8_t* data, std::size_t groups, std::uint8_t* text);
  std::size_t (*decode)(const std::uint8_t* text, std::size_t groups, std::uint8_t* data);
};

// The loops in use, chosen once.
const Base64Kernels& ChosenBase64Kernels();
// Every set of loops this processor can run, portable last (for the tests).
std::vector<Base64Kernels> RunnableBase64Kernels();

}  // namespace velunor
