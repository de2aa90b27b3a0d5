#pragma once

#include "cipher/cipher_family.h"
#include "primitives/square_core.h"

namespace velunor {

// The key schedule: the 9 enciphering round keys, then the 9 deciphering
// round keys (see square_core.h).
struct SquareKeySchedule {
  SquareRoundKeys encipherKeys;
  SquareRoundKeys decipherKeys;
};

// Square (Daemen, Knudsen, Rijmen, 1997): 128-bit block, 128-bit key
// (shorter keys are zero-padded), 8 rounds. Square is byte oriented: row i of
// its 4x4 state is bytes 4i..4i+3, read here as a little-endian 32-bit word
// with tables arranged for that order, so the published vectors apply to the
// bytes as printed.
class TCipher_Square : public TCipherFamily<TCipher_Square, SquareKeySchedule,
                                            TCipherInfo{16, 16, 2 * sizeof(SquareRoundKeys)}> {
 public:
  static constexpr char kClassName[] = "TCipher_Square";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xDC, 0xB7, 0xF3, 0x79, 0x78, 0x7B, 0xE4, 0x39,
                                                    0x5A, 0xCF, 0xB7, 0xEB, 0x7D, 0x00, 0x47, 0xFE,
                                                    0xF9, 0x83, 0xBD, 0x0D, 0x71, 0x29, 0xE2, 0x05,
                                                    0xC9, 0x60, 0x49, 0x5D, 0xB0, 0x7D, 0xB8, 0x26};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  SquareRoundKeys& EncipherKeys() { return KeySchedule().encipherKeys; }
  SquareRoundKeys& DecipherKeys() { return KeySchedule().decipherKeys; }
};

}  // namespace velunor
