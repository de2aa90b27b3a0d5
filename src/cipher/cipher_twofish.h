#pragma once

#include "cipher/scheduled_cipher.h"

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
class TCipher_Twofish : public TScheduledCipher<TwofishKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_Twofish(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  std::uint32_t* Subkeys() { return KeySchedule().subkeys; }
  std::uint32_t* SBoxes() { return KeySchedule().sBoxes; }
};

}  // namespace velunor
