#pragma once

#include "hash/hash_md4.h"

namespace velunor {

// MD5: four rounds of sixteen steps over the first four chaining words, each
// step with its own additive constant. Initial values, padding and digest
// layout are those of MD4.
class THash_MD5 : public THash_MD4 {
 public:
  using THash_MD4::THash_MD4;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
  void CompressBlocks(const std::uint8_t* blocks, std::size_t count) override;
};

}  // namespace velunor
