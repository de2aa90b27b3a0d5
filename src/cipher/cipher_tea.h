#pragma once

#include "cipher/scheduled_cipher.h"

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
class TCipher_TEA : public TScheduledCipher<TeaKeySchedule> {
 public:
  static constexpr std::int32_t kMinCycles = 16;
  static constexpr std::int32_t kMaxCycles = 32;

  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

  // The round field, 0 in a new object; the blocks run it clamped to 16..32
  // cycles, so 16 by default.
  std::int32_t Rounds() const { return rounds_; }
  void SetRounds(std::int32_t rounds) { rounds_ = rounds; }
  std::uint32_t Cycles() const;

 protected:
  explicit TCipher_TEA(TProtection* protection = nullptr) : TCipher_TEA(Class(), protection) {}
  TCipher_TEA(const TCipherClass& cls, TProtection* protection)
      : TScheduledCipher(cls, protection) {}

  const std::uint32_t* KeyWords() const { return KeySchedule().keyWords; }

 private:
  std::int32_t rounds_ = 0;
};

// Extended TEA ("TEA extended") with its own round: each half takes
// ((x << 4) xor (x >> 5)) + (sum xor x) + k[...], where the published
// extended TEA adds x before the xor with sum + k[...]. Same block, key and
// cycle count as TCipher_TEA.
class TCipher_TEAN : public TCipher_TEA {
 public:
  static const TCipherClass& Class();

  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_TEAN(TProtection* protection = nullptr) : TCipher_TEA(Class(), protection) {}
};

}  // namespace velunor
