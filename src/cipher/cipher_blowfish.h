#pragma once

#include "cipher/scheduled_cipher.h"

namespace velunor {

// The key schedule: S-boxes 0..3 (256 words each), then P[0..17].
struct BlowfishKeySchedule {
  std::uint32_t sBoxes[4 * 256];
  std::uint32_t pArray[18];
};

// Blowfish as published: 64-bit block read as two big-endian halves,
// 16 rounds, keys of 1 to 56 bytes, key schedule from the digits of pi.
class TCipher_Blowfish : public TScheduledCipher<BlowfishKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_Blowfish(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest, std::size_t count,
                             TCipherMode mode) override;

 private:
  std::uint32_t* SBoxes() { return KeySchedule().sBoxes; }
  std::uint32_t* PArray() { return KeySchedule().pArray; }
};

}  // namespace velunor
