#pragma once

#include <cstddef>
#include <cstdint>

#include "hash/hash_md4.h"

namespace velunor {

// Tiger (the original, with padding byte 01 hex): three 64-bit chaining
// words in the first six words of ChainingState, 64-byte blocks mixed through
// four 8-to-64-bit S-boxes in several passes with a key schedule between
// them. The digest is the three words, each least significant byte first.
class THash_Tiger : public THash_MD4 {
 public:
  using THash_MD4::THash_MD4;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  void Finish() override;

 protected:
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
