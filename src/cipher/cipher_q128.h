#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule: the 64 expanded key words E[0..63].
struct Q128KeySchedule {
  std::uint32_t expandedKey[64];
};

// Q128 (R. Scott, 1996): 128-bit block read as four little-endian 32-bit
// words b0..b3, key of up to 16 bytes read the same way (shorter keys are
// zero-padded), 16 rounds over a fixed 1024-word table. Each step folds the
// table entry of one word's low 10 bits, plus a round-key word, into the next
// word and rotates the used word by 10 bits.
class TCipher_Q128
    : public TCipherFamily<TCipher_Q128, Q128KeySchedule, TCipherInfo{16, 16, 64 * 4}> {
 public:
  static constexpr char kClassName[] = "TCipher_Q128";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x5E, 0x61, 0xEA, 0x92, 0x64, 0xB8, 0x35, 0xFF,
                                                    0x29, 0x72, 0x80, 0xDF, 0x0B, 0x23, 0xAF, 0x9E,
                                                    0x23, 0x46, 0x9C, 0x5E, 0x18, 0x54, 0x69, 0xA2,
                                                    0xEC, 0xB4, 0xD9, 0x1B, 0x13, 0x7F, 0x58, 0x0B};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;

 private:
  std::uint32_t* ExpandedKey() { return KeySchedule().expandedKey; }
};

}  // namespace velunor
