#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule: S-boxes 0..3 (256 words each), then P[0..17].
struct BlowfishKeySchedule {
  std::uint32_t sBoxes[4 * 256];
  std::uint32_t pArray[18];
};

// Blowfish as published: 64-bit block read as two big-endian halves,
// 16 rounds, keys of 1 to 56 bytes, key schedule from the digits of pi.
class TCipher_Blowfish : public TCipherFamily<TCipher_Blowfish, BlowfishKeySchedule,
                                              TCipherInfo{8, 56, (4 * 256 + 18) * 4}> {
 public:
  static constexpr char kClassName[] = "TCipher_Blowfish";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x94, 0x39, 0x24, 0x4D, 0xD8, 0xA5, 0x12, 0xF6,
                                                    0x4A, 0x24, 0x11, 0x97, 0x9B, 0xF0, 0x80, 0x77,
                                                    0xAC, 0x1F, 0x93, 0x01, 0x2F, 0x95, 0xCA, 0xCB,
                                                    0x34, 0x42, 0xC7, 0x44, 0x07, 0xE7, 0x51, 0x51};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest, std::size_t count,
                             TChainFeedback feedback) override;

 private:
  std::uint32_t* SBoxes() { return KeySchedule().sBoxes; }
  std::uint32_t* PArray() { return KeySchedule().pArray; }
};

}  // namespace velunor
