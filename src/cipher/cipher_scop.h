#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The generator: a table of 384 words, of which the last 256 change as the
// key stream runs, two byte indexes and the last word written.
struct ScopGeneratorState {
  std::uint32_t v[384];
  std::uint32_t i;
  std::uint32_t j;
  std::uint32_t t3;
  std::uint32_t unused;
};

// The key schedule: the running generator state, then the state saved at
// the end of Init.
struct ScopKeySchedule {
  ScopGeneratorState running;
  ScopGeneratorState saved;
};

// SCOP (S. V. Maltchev, P. T. Antonov), a key-stream generator worked in
// 128-byte blocks: EncipherBlock adds one key-stream word to each of the 32
// little-endian words of the block, DecipherBlock subtracts it; both advance
// the generator. Keys of 1 to 48 bytes. The designers' key expansion needs
// at least two bytes: a 1-byte key is taken as that byte followed by a zero
// byte (so it keys the generator as the 2-byte key b 00 does); an empty key
// is refused.
//
// ResetChain restores the state saved at the end of Init, so every coding
// run of the pipeline starts the key stream afresh and codes the same input
// alike.
class TCipher_SCOP
    : public TCipherFamily<TCipher_SCOP, ScopKeySchedule, TCipherInfo{128, 48, 3104}> {
 public:
  static constexpr char kClassName[] = "TCipher_SCOP";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xE0, 0xCA, 0xAA, 0xDD, 0x2C, 0x8D, 0x3F, 0x43,
                                                    0xB9, 0xD4, 0xC5, 0xC7, 0x2D, 0xC2, 0x30, 0xAF,
                                                    0x53, 0x8E, 0xD9, 0xF0, 0xA2, 0x56, 0xF1, 0x25,
                                                    0x61, 0x82, 0x25, 0x55, 0x8E, 0x13, 0xC2, 0x56};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;
  void ResetChain() override;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;
  void ChainStarted() override;

 private:
  ScopGeneratorState& Running() { return KeySchedule().running; }
  ScopGeneratorState& Saved() { return KeySchedule().saved; }
  void ExpandKey(const std::uint8_t* key, std::int32_t keySize);
};

}  // namespace velunor
