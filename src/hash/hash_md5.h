#pragma once

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// MD5: four rounds of sixteen steps over the first four chaining words, each
// step with its own additive constant. Initial values, padding and digest
// layout are those of MD4.
class THash_MD5 : public THashFamily<THash_MD5, TMDxHash, THashInfo{16, 64}> {
 public:
  static constexpr char kClassName[] = "THash_MD5";
  static constexpr std::uint8_t kKnownAnswer[16] = {0x3E, 0xD8, 0x34, 0x8C, 0xD2, 0xA4, 0x45, 0xD6,
                                                    0x75, 0x5D, 0x4B, 0xC9, 0xFE, 0xDC, 0xC2, 0xC6};

 protected:
  using THashFamily::THashFamily;
  void CompressBlock(const std::uint8_t* block) override;
  void CompressBlocks(const std::uint8_t* blocks, std::size_t count) override;
};

}  // namespace velunor
