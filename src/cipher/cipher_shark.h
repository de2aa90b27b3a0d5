#pragma once

#include "cipher/scheduled_cipher.h"

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
class TCipher_Shark : public TScheduledCipher<SharkKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_Shark(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  std::uint64_t* EncipherKeys() { return KeySchedule().encipherKeys; }
  std::uint64_t* DecipherKeys() { return KeySchedule().decipherKeys; }
};

}  // namespace velunor
