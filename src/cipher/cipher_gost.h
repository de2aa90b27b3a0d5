#pragma once

#include "cipher/scheduled_cipher.h"

namespace velunor {

// The key schedule: the key words K0..K7.
struct GostKeySchedule {
  std::uint32_t keyWords[8];
};

// GOST 28147-89 with the S-boxes of the GOST R 34.11-94 test parameter set:
// 64-bit block of two little-endian words, 32 rounds, 256-bit key of eight
// little-endian words (a shorter key is filled up with zero bytes).
class TCipher_Gost : public TScheduledCipher<GostKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_Gost(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  const std::uint32_t* KeyWords() const { return KeySchedule().keyWords; }
};

}  // namespace velunor
