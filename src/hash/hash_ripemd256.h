#pragma once

#include "hash/hash_md4.h"

namespace velunor {

// RIPEMD-256: two parallel lines of 64 steps over eight chaining words, with
// the registers exchanged between the lines after every round. The digest of
// the keyword keys the ciphers, so it must be exact to the byte.
class THash_RipeMD256 : public THash_MD4 {
 public:
  using THash_MD4::THash_MD4;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

}  // namespace velunor
