#pragma once

#include "cipher/scheduled_cipher.h"

namespace velunor {

// The key schedule: the 64 expanded key words E[0..63].
struct Q128KeySchedule {
  std::uint32_t expandedKey[64];
};

// Q128 (R. Scott, 1996): 128-bit block read as four little-endian 32-bit
// words b0..b3, key of up to 16 bytes read the same way (shorter keys are
// zero-padded), 16 rounds over a fixed 1024-word table. Each step folds the
// table entry of one word's low 10 bits, plus a round-key word, into the next
// word and rotates the used word by 10 bits.
class TCipher_Q128 : public TScheduledCipher<Q128KeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_Q128(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}

 private:
  std::uint32_t* ExpandedKey() { return KeySchedule().expandedKey; }
};

}  // namespace velunor
