#pragma once

#include "cipher/scheduled_cipher.h"
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
class TCipher_Square : public TScheduledCipher<SquareKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_Square(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  SquareRoundKeys& EncipherKeys() { return KeySchedule().encipherKeys; }
  SquareRoundKeys& DecipherKeys() { return KeySchedule().decipherKeys; }
};

}  // namespace velunor
