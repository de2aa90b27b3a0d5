#pragma once

#include <span>

#include <cstdint>

#include "hash/hash.h"

namespace velunor {

// MD4, and the 64-byte block framework of its descendants (MD5, the RIPEMD
// family, SHA and Tiger): a byte count, a block buffer, padding with a 64-bit
// length field, and ten chaining words of which each algorithm uses what it
// needs. The digest is the start of the chaining words, each stored least
// significant byte first.
class THash_MD4 : public THash {
 public:
  using THash::THash;
  ~THash_MD4() override;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
  std::uint8_t* DigestBuffer() override;

 protected:
  static constexpr std::size_t kBlockSize = 64;

  // Folds one 64-byte block into ChainingState.
  virtual void CompressBlock(const std::uint8_t* block);
  // Folds `count` consecutive blocks in order; block by block unless a hash
  // has a faster way for runs.
  virtual void CompressBlocks(const std::uint8_t* blocks, std::size_t count);

  // Init without the chain hook: zeroed block buffer, count 0, the ten
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
