#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule: the key words K0..K7.
struct GostKeySchedule {
  std::uint32_t keyWords[8];
};

// GOST 28147-89 with the S-boxes of the GOST R 34.11-94 test parameter set:
// 64-bit block of two little-endian words, 32 rounds, 256-bit key of eight
// little-endian words (a shorter key is filled up with zero bytes).
class TCipher_Gost : public TCipherFamily<TCipher_Gost, GostKeySchedule, TCipherInfo{8, 32, 32}> {
 public:
  static constexpr char kClassName[] = "TCipher_Gost";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x1C, 0x7C, 0x1F, 0x7D, 0x3F, 0x7B, 0x79, 0xE8,
                                                    0x8E, 0x99, 0xEB, 0x79, 0xE9, 0xAE, 0x86, 0x42,
                                                    0xE6, 0x46, 0xEF, 0x70, 0xE9, 0xB1, 0xC9, 0x02,
                                                    0x65, 0x82, 0xEA, 0x15, 0x66, 0x8B, 0xC7, 0x66};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  const std::uint32_t* KeyWords() const { return KeySchedule().keyWords; }
};

}  // namespace velunor
