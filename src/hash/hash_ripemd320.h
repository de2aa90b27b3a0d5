#pragma once

#include "hash/hash_md4.h"

namespace velunor {

// RIPEMD-320: the two lines of RIPEMD-160 kept apart as a 320-bit state in
// all ten chaining words, with registers exchanged between the lines after
// every round. Initial values, padding and digest layout are those of MD4.
class THash_RipeMD320 : public THash_MD4 {
 public:
  using THash_MD4::THash_MD4;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

}  // namespace velunor
