#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "hash/hash.h"

namespace velunor {

// The 64-byte block framework of MD4 and the hashes built like it (MD5, the
// RIPEMD family, SHA and SHA-1, Tiger): a byte count, a block buffer,
// padding with a 64-bit length field, and ten chaining words of which each
// algorithm uses what it needs. Init loads MD4's ten initial words; Finish
// pads with 80 hex and a little-endian length. The digest is the start of
// the chaining words, each stored least significant byte first. A hash of
// the framework brings its compression and, where they differ, its initial
// words and padding.
class TMDxHash : public THash {
 public:
  ~TMDxHash() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  static constexpr std::size_t kBlockSize = 64;

  using THash::THash;

  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;

  // Folds one 64-byte block into ChainingState.
  virtual void CompressBlock(const std::uint8_t* block) = 0;
  // Folds `count` consecutive blocks in order; block by block unless a hash
  // has a faster way for runs (keeping its chaining words in registers).
  virtual void CompressBlocks(const std::uint8_t* blocks, std::size_t count);

  // StartDigest of the framework: zeroed block buffer, count 0, the ten
  // initial chaining words.
  void ResetBlockState();
  // The framework's padding: `padByte` after the data, zero fill, and the
  // bit length in bytes 56..63 in the given byte order; then compresses.
  void PadAndCompress(std::uint8_t padByte, bool lengthBigEndian);

  // Bytes fed since Init. Kept 64 bits wide so that inputs of 4 GiB and more
  // are padded with their true length.
  std::uint64_t ByteCount = 0;
  std::uint8_t BlockBuffer[kBlockSize] = {};
  std::uint32_t ChainingState[10] = {};
};

}  // namespace velunor
