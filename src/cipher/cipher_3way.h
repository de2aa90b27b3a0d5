#pragma once

#include "cipher/scheduled_cipher.h"

namespace velunor {

// The key schedule: the enciphering key k[0..2], the deciphering key (k mixed
// and bit-reversed) k'[0..2], then the 12 enciphering and the 12 deciphering
// round constants.
struct ThreeWayKeySchedule {
  std::uint32_t encipherKey[3];
  std::uint32_t decipherKey[3];
  std::uint32_t encipherConstants[12];
  std::uint32_t decipherConstants[12];
};

// 3-Way (J. Daemen, 1994): 96-bit block, 96-bit key, 11 rounds of a linear
// mixing step, a bit permutation and a nonlinear step over three words.
// Byte layout: the block is read and written as three little-endian 32-bit
// words a[0] (bytes 0..3), a[1], a[2], and the key likewise as k[0], k[1],
// k[2] (shorter keys are zero-padded). The published test values are word
// values; this class's bytes for them are each word stored least significant
// byte first, a[0] first.
class TCipher_3Way : public TScheduledCipher<ThreeWayKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_3Way(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;
};

}  // namespace velunor
