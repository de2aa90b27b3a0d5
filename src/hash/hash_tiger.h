#pragma once

#include <cstddef>
#include <cstdint>

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// Tiger (the original, with padding byte 01 hex): three 64-bit chaining
// words in the first six words of ChainingState, 64-byte blocks mixed through
// four 8-to-64-bit S-boxes in several passes with a key schedule between
// them. The digest is the three words, each least significant byte first.
class THash_Tiger : public THashFamily<THash_Tiger, TMDxHash, THashInfo{24, 64}> {
 public:
  static constexpr char kClassName[] = "THash_Tiger";
  static constexpr std::uint8_t kKnownAnswer[24] = {0x58, 0x78, 0x75, 0x23, 0xE0, 0x9A, 0x90, 0x84,
                                                    0xD8, 0xE3, 0x62, 0x96, 0x68, 0x95, 0xE0, 0xEF,
                                                    0x9E, 0x62, 0x1B, 0x4F, 0xBC, 0x4A, 0x44, 0xCA};

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void CompleteDigest() override;
  void CompressBlock(const std::uint8_t* block) override;
  void CompressBlocks(const std::uint8_t* blocks, std::size_t count) override;

  // Passes per block; Init replaces a count outside 3..32 by 3 and keeps any
  // other, so a fresh object runs the standard three passes.
  std::uint32_t PassCount = 0;
};

// The Tiger compression of `count` consecutive blocks on the three chaining
// words at `chaining` with `passCount` passes: with the bit-field extracts
// where the processor has them, and the portable form for processors
// without. Both give the same words.
void CompressTigerBlocks(std::uint32_t* chaining, std::uint32_t passCount,
                         const std::uint8_t* blocks, std::size_t count);
void CompressTigerPortable(std::uint32_t* chaining, std::uint32_t passCount,
                           const std::uint8_t* blocks, std::size_t count);

}  // namespace velunor
