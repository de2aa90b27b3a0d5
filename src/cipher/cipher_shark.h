#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule: the seven enciphering round keys, then the seven
// deciphering round keys.
struct SharkKeySchedule {
  std::uint64_t encipherKeys[7];
  std::uint64_t decipherKeys[7];
};

// SHARK (Rijmen, Daemen, Preneel, Bosselaers, De Win, 1996), the variant with
// 64-bit round keys xored in (SHARK-E): 64-bit block, 128-bit key (shorter
// keys are zero-padded), 6 rounds of an S-box layer and an 8x8 MDS matrix.
// Byte layout: the block is read as two little-endian 32-bit words, low word
// first, that is as one little-endian 64-bit value; the published algorithm
// works on that value. Published vectors print it most significant byte
// first, so in this class's bytes they appear with all eight bytes reversed.
// The key bytes are taken in their published order (first byte most
// significant in each 64-bit key word).
class TCipher_Shark
    : public TCipherFamily<TCipher_Shark, SharkKeySchedule, TCipherInfo{8, 16, 2 * 7 * 8}> {
 public:
  static constexpr char kClassName[] = "TCipher_Shark";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x26, 0x27, 0xA8, 0x44, 0x2F, 0x97, 0x0E, 0x5B,
                                                    0xBA, 0x2A, 0xE4, 0x47, 0x3A, 0xCF, 0xB1, 0x3F,
                                                    0x43, 0x1E, 0xAE, 0x76, 0x35, 0x52, 0x2D, 0xE7,
                                                    0xDE, 0xBB, 0x34, 0xC6, 0x17, 0xB7, 0xD5, 0xAA};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  std::uint64_t* EncipherKeys() { return KeySchedule().encipherKeys; }
  std::uint64_t* DecipherKeys() { return KeySchedule().decipherKeys; }
};

}  // namespace velunor
