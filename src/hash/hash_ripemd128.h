#pragma once

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// RIPEMD-128: two parallel lines of 64 steps over the first four chaining
// words, combined crosswise at the end of every block. Initial values,
// padding and digest layout are those of MD4.
class THash_RipeMD128 : public THashFamily<THash_RipeMD128, TMDxHash, THashInfo{16, 64}> {
 public:
  static constexpr char kClassName[] = "THash_RipeMD128";
  static constexpr std::uint8_t kKnownAnswer[16] = {0xCF, 0xA0, 0x32, 0xCF, 0xD0, 0x8F, 0x87, 0x3A,
                                                    0x78, 0xDF, 0x13, 0xE7, 0xEB, 0xCD, 0x98, 0x0F};

 protected:
  using THashFamily::THashFamily;
  void CompressBlock(const std::uint8_t* block) override;
};

}  // namespace velunor
