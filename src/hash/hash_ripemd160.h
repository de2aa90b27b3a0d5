#pragma once

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// RIPEMD-160: two parallel lines of 80 steps over the first five chaining
// words, combined crosswise at the end of every block. Initial values,
// padding and digest layout are those of MD4.
class THash_RipeMD160 : public THashFamily<THash_RipeMD160, TMDxHash, THashInfo{20, 64}> {
 public:
  static constexpr char kClassName[] = "THash_RipeMD160";
  static constexpr std::uint8_t kKnownAnswer[20] = {0x19, 0x54, 0xDE, 0xBC, 0x1B, 0x55, 0x35,
                                                    0x30, 0x08, 0x1D, 0x9B, 0x80, 0x70, 0xA0,
                                                    0xF2, 0x4A, 0x9D, 0xF7, 0x34, 0x04};

 protected:
  using THashFamily::THashFamily;
  void CompressBlock(const std::uint8_t* block) override;
  void CompressBlocks(const std::uint8_t* blocks, std::size_t count) override;
};

}  // namespace velunor
