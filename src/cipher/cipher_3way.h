#pragma once

#include "cipher/cipher_family.h"

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
class TCipher_3Way
    : public TCipherFamily<TCipher_3Way, ThreeWayKeySchedule, TCipherInfo{12, 12, 30 * 4}> {
 public:
  static constexpr char kClassName[] = "TCipher_3Way";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xAB, 0xEC, 0xB3, 0x25, 0xFC, 0x60, 0x79, 0xD8,
                                                    0xAE, 0x75, 0x19, 0xB9, 0xD5, 0x56, 0xF7, 0x2D,
                                                    0xBE, 0xFF, 0x29, 0xC6, 0xEB, 0x75, 0x50, 0x4D,
                                                    0xF7, 0x46, 0xA6, 0x4B, 0xD1, 0x96, 0x0A, 0x78};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;
};

}  // namespace velunor
