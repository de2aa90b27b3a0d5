#pragma once

#include "cipher/cipher_family.h"

namespace velunor {

// The key schedule of TEA and extended TEA: the key words k0..k3.
struct TeaKeySchedule {
  std::uint32_t keyWords[4];
};

// TEA (D. J. Wheeler, R. M. Needham) with its own round: each half takes
// ((((x << 4) + k) xor x) + sum) xor ((x >> 5) + k'), where the published
// TEA xors (x << 4) + k, x + sum and (x >> 5) + k'. The ciphertexts follow
// this round, not the published one. 64-bit block of two little-endian
// words, 128-bit key of four little-endian words (a shorter key is filled up
// with zero bytes), 16 to 32 cycles.
// The class reports twice the 16 bytes its schedule holds.
class TCipher_TEA : public TCipherFamily<TCipher_TEA, TeaKeySchedule, TCipherInfo{8, 16, 32}> {
 public:
  static constexpr char kClassName[] = "TCipher_TEA";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x20, 0x4D, 0x32, 0xDD, 0x06, 0xDF, 0xF5, 0xAA,
                                                    0xF7, 0x2E, 0xC0, 0x0F, 0xC0, 0x58, 0x4D, 0xAC,
                                                    0xBF, 0x3D, 0x5A, 0x76, 0x00, 0x43, 0xEE, 0xB0,
                                                    0xCD, 0x88, 0x2C, 0x17, 0x95, 0xC5, 0xB6, 0x9C};
  static constexpr std::int32_t kMinCycles = 16;
  static constexpr std::int32_t kMaxCycles = 32;

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

  // The round field, 0 in a new object; the blocks run it clamped to 16..32
  // cycles, so 16 by default.
  std::int32_t Rounds() const { return rounds_; }
  void SetRounds(std::int32_t rounds) { rounds_ = rounds; }
  std::uint32_t Cycles() const;

 protected:
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;

  const std::uint32_t* KeyWords() const { return KeySchedule().keyWords; }

 private:
  std::int32_t rounds_ = 0;
};

// Extended TEA ("TEA extended") with its own round: each half takes
// ((x << 4) xor (x >> 5)) + (sum xor x) + k[...], where the published
// extended TEA adds x before the xor with sum + k[...]. Same block, key and
// cycle count as TCipher_TEA.
class TCipher_TEAN : public TCipherVariant<TCipher_TEAN, TCipher_TEA, TCipher_TEA::kInfo> {
 public:
  static constexpr char kClassName[] = "TCipher_TEAN";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x81, 0xF0, 0xEE, 0xED, 0xF6, 0x8E, 0x73, 0xAC,
                                                    0x75, 0xFA, 0x6D, 0xAD, 0x41, 0x5C, 0x5D, 0x9D,
                                                    0x79, 0x9D, 0x9F, 0x29, 0x05, 0x84, 0x9E, 0x12,
                                                    0x94, 0x1B, 0xD7, 0x9C, 0x20, 0x29, 0xAF, 0x7B};

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  using TCipherVariant::TCipherVariant;
};

}  // namespace velunor
