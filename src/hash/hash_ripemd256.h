#pragma once

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// RIPEMD-256: two parallel lines of 64 steps over eight chaining words, with
// the registers exchanged between the lines after every round. The digest of
// the keyword keys the ciphers, so it must be exact to the byte.
class THash_RipeMD256 : public THashFamily<THash_RipeMD256, TMDxHash, THashInfo{32, 64}> {
 public:
  static constexpr char kClassName[] = "THash_RipeMD256";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xC3, 0xB1, 0xD7, 0xAC, 0xA8, 0x9A, 0x47, 0x7A,
                                                    0x38, 0xD3, 0x6D, 0x39, 0xEF, 0x00, 0xFB, 0x45,
                                                    0xFC, 0x4E, 0xC3, 0x1A, 0x71, 0x21, 0xDB, 0x9E,
                                                    0x1C, 0x76, 0xC5, 0xDE, 0x99, 0x88, 0x18, 0xC2};

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void CompressBlock(const std::uint8_t* block) override;
};

}  // namespace velunor
