#pragma once

#include <span>

#include <cstdint>

#include "hash/hash.h"

namespace velunor {

// The Snefru mixing of a 16-word block in place: per pass, four sub-rounds in
// which every word's low byte selects an S-box entry that is XORed into both
// neighbours, followed by a rotation of all sixteen words.
void MixSnefruBlock(std::uint32_t (&block)[16], std::int32_t passes);

// Snefru with a 256-bit digest and 8 passes over 32-byte message blocks. The
// working block holds the chaining value in words 0..7 and the message in
// words 8..15 (copied as they lie in memory); after the mixing, word i of
// the result is mixed word i XOR mixed word 15 - i. Unlike the published
// Snefru-256 the previous chaining value is not fed forward, and the bit
// length (least significant byte first) shares the last data block whenever
// eight bytes of it are free, so the digests differ from the published ones.
class THash_Snefru : public THash {
 public:
  using THash::THash;
  ~THash_Snefru() override;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
  std::uint8_t* DigestBuffer() override;

 protected:
  static constexpr std::size_t kBlockSize = 32;

  // Folds one 32-byte message block into the chaining value.
  void CompressBlock(const std::uint8_t* block);

  // Bytes fed since Init, 64 bits wide like the other block hashes.
  std::uint64_t ByteCount = 0;
  std::uint8_t MessageBuffer[kBlockSize] = {};
  std::uint32_t WorkingBlock[16] = {};
  std::int32_t PassCount = 8;
};

}  // namespace velunor
