#pragma once

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// RIPEMD-320: the two lines of RIPEMD-160 kept apart as a 320-bit state in
// all ten chaining words, with registers exchanged between the lines after
// every round. Initial values, padding and digest layout are those of MD4.
class THash_RipeMD320 : public THashFamily<THash_RipeMD320, TMDxHash, THashInfo{40, 64}> {
 public:
  static constexpr char kClassName[] = "THash_RipeMD320";
  static constexpr std::uint8_t kKnownAnswer[40] = {
      0xB7, 0xBD, 0x2C, 0x75, 0xB7, 0x13, 0x50, 0x91, 0xE4, 0x67, 0x09, 0x46, 0xF1, 0x41,
      0x5A, 0x48, 0x45, 0xDF, 0x8E, 0x07, 0xBA, 0x67, 0x4E, 0xA9, 0xFD, 0x66, 0xED, 0x01,
      0xD9, 0x6F, 0x23, 0x20, 0xB5, 0x11, 0x12, 0xC5, 0xA7, 0x41, 0xA6, 0x5C};

 protected:
  using THashFamily::THashFamily;
  void CompressBlock(const std::uint8_t* block) override;
};

}  // namespace velunor
