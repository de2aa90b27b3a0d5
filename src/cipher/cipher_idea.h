#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule: the 52 enciphering subkeys, then the 52 deciphering subkeys.
struct IdeaKeySchedule {
  std::uint16_t encipherKeys[52];
  std::uint16_t decipherKeys[52];
};

// IDEA as published: 64-bit block of four big-endian 16-bit words, 8 rounds
// and the output transformation, 128-bit key of eight big-endian words (a
// shorter key is filled up with zero bytes).
class TCipher_IDEA
    : public TCipherFamily<TCipher_IDEA, IdeaKeySchedule, TCipherInfo{8, 16, 2 * 52 * 2}> {
 public:
  static constexpr char kClassName[] = "TCipher_IDEA";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xCF, 0x73, 0x66, 0x82, 0x7A, 0x76, 0xAE, 0x3A,
                                                    0x29, 0x01, 0x48, 0x9D, 0x3E, 0x16, 0x3D, 0x3A,
                                                    0x40, 0xF4, 0x87, 0x57, 0xCD, 0xA3, 0xF9, 0x89,
                                                    0xF6, 0x26, 0xCA, 0x56, 0x1B, 0xD7, 0x61, 0x8A};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  static constexpr std::size_t kSubkeys = 52;

  std::uint16_t* EncipherKeys() { return KeySchedule().encipherKeys; }
  std::uint16_t* DecipherKeys() { return KeySchedule().decipherKeys; }
};

}  // namespace velunor
