#pragma once

#include "hash/hash_md4.h"

namespace velunor {

// RIPEMD-128: two parallel lines of 64 steps over the first four chaining
// words, combined crosswise at the end of every block. Initial values,
// padding and digest layout are those of MD4.
class THash_RipeMD128 : public THash_MD4 {
 public:
  using THash_MD4::THash_MD4;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

}  // namespace velunor
