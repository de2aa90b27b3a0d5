#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule: the 40 subkeys K[0..39], then the four key-dependent
// S-box tables (256 words each) with the MDS matrix applied, so that g(X) is
// four table look-ups.
struct TwofishKeySchedule {
  std::uint32_t subkeys[40];
  std::uint32_t sBoxes[4 * 256];
};

// Twofish as published (Schneier et al., 1998): 128-bit block read as four
// little-endian 32-bit words, 16 rounds. Keys of 1..16 bytes are padded with
// zero bytes to 16, 17..24 bytes to 24 and longer ones to 32, then scheduled
// as a 128-, 192- or 256-bit key; an empty key counts as 16 zero bytes.
class TCipher_Twofish : public TCipherFamily<TCipher_Twofish, TwofishKeySchedule,
                                             TCipherInfo{16, 32, (40 + 4 * 256) * 4}> {
 public:
  static constexpr char kClassName[] = "TCipher_Twofish";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x97, 0x71, 0x21, 0x77, 0x78, 0x60, 0x22, 0xCD,
                                                    0x22, 0xB5, 0xDF, 0x94, 0x4B, 0xA7, 0x2C, 0x74,
                                                    0xE8, 0x90, 0xE7, 0xB4, 0x4D, 0x2F, 0x8B, 0xD5,
                                                    0x16, 0xD0, 0x39, 0x05, 0x0D, 0x65, 0xBB, 0xAB};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  std::uint32_t* Subkeys() { return KeySchedule().subkeys; }
  std::uint32_t* SBoxes() { return KeySchedule().sBoxes; }
};

}  // namespace velunor
