#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"

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
class THash_Snefru : public THashFamily<THash_Snefru, THash, THashInfo{32, 32}> {
 public:
  static constexpr char kClassName[] = "THash_Snefru";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xD6, 0x90, 0xEE, 0x67, 0x28, 0xD9, 0xBA, 0x02,
                                                    0xA3, 0xC7, 0x90, 0xEE, 0x50, 0x73, 0x19, 0x74,
                                                    0x1F, 0xBF, 0x6B, 0x83, 0xEB, 0x9A, 0x6B, 0xDF,
                                                    0xF5, 0x7A, 0xD8, 0xC3, 0x07, 0x8D, 0xA4, 0x34};
  ~THash_Snefru() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
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
