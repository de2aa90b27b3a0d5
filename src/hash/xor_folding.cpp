#include "hash/xor_folding.h"

#include <bit>
#include <cstring>

#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::size_t kFoldBytes = 64;

// XORs the 64-byte pieces of `data` together into `folded`; `size` is a
// multiple of 64. Eight independent words, which compilers turn into vector
// instructions.
void FoldPieces(const std::uint8_t* data, std::size_t size, std::uint8_t (&folded)[kFoldBytes]) {
  std::uint64_t lanes[kFoldBytes / 8] = {};
  for (; size > 0; size -= kFoldBytes, data += kFoldBytes) {
    std::uint64_t words[kFoldBytes / 8];
    std::memcpy(words, data, sizeof words);
    for (std::size_t i = 0; i < kFoldBytes / 8; ++i)
      lanes[i] ^= words[i];
  }
  std::memcpy(folded, lanes, sizeof folded);
}

}  // namespace

std::uint16_t UpdateXor16(std::uint16_t value, const std::uint8_t* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    value = static_cast<std::uint16_t>(std::rotl(value, 5) ^ data[i]);
  return value;
}

// After a multiple of 16 bytes the register has turned full circle, and a
// byte at position q of its 16-byte period is rotated by 5 * (15 - q).
std::uint16_t UpdateXor16Folded(std::uint16_t value, const std::uint8_t* data, std::size_t size) {
  const std::size_t whole = size - size % kFoldBytes;
  if (whole > 0) {
    std::uint8_t folded[kFoldBytes];
    FoldPieces(data, whole, folded);
    for (std::size_t q = 0; q < 16; ++q) {
      const auto byte =
          static_cast<std::uint16_t>(folded[q] ^ folded[q + 16] ^ folded[q + 32] ^ folded[q + 48]);
      value ^= std::rotl(byte, static_cast<int>(5 * (15 - q) % 16));
    }
  }
  return UpdateXor16(value, data + whole, size - whole);
}

std::uint32_t UpdateXor32(std::uint32_t value, const std::uint8_t* data, std::size_t wordCount) {
  for (std::size_t i = 0; i < wordCount; ++i) {
    value = std::rotl(value, 5) ^ LoadLE<std::uint16_t>(data + 2 * i);
  }
  return value;
}

// After a multiple of 32 words the register has turned full circle, and the
// word at position q of its 32-word period is rotated by 5 * (31 - q).
std::uint32_t UpdateXor32Folded(std::uint32_t value, const std::uint8_t* data,
                                std::size_t wordCount) {
  const std::size_t wholeBytes = 2 * wordCount - 2 * wordCount % kFoldBytes;
  if (wholeBytes > 0) {
    std::uint8_t folded[kFoldBytes];
    FoldPieces(data, wholeBytes, folded);
    for (std::size_t q = 0; q < 32; ++q) {
      const auto word = static_cast<std::uint32_t>(folded[2 * q] | (folded[2 * q + 1] << 8));
      value ^= std::rotl(word, static_cast<int>(5 * (31 - q) % 32));
    }
  }
  return UpdateXor32(value, data + wholeBytes, wordCount - wholeBytes / 2);
}

}  // namespace velunor
