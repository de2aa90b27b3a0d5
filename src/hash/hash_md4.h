#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// MD4 (RFC 1320): three rounds of sixteen steps over the first four
// chaining words of the 64-byte block framework.
class THash_MD4 : public THashFamily<THash_MD4, TMDxHash, THashInfo{16, 64}> {
 public:
  static constexpr char kClassName[] = "THash_MD4";
  static constexpr std::uint8_t kKnownAnswer[16] = {0x25, 0xEA, 0xBF, 0xCC, 0x8C, 0xC9, 0x6F, 0xD9,
                                                    0x2D, 0xCF, 0x7E, 0xBD, 0x7F, 0x87, 0x7C, 0x7C};

 protected:
  using THashFamily::THashFamily;
  void CompressBlock(const std::uint8_t* block) override;
  void CompressBlocks(const std::uint8_t* blocks, std::size_t count) override;
};

}  // namespace velunor
