#pragma once

#include "cipher/scheduled_cipher.h"

namespace velunor {

// The key schedule: the subkeys for 13 rounds, 8 bytes each (the schedule
// for fewer rounds is a prefix of it, so the round count can change without
// a new Init).
struct SaferKeySchedule {
  std::uint8_t subkeys[2 * 13 + 1][8];
};

// SAFER (J. L. Massey) with the K key schedule or the strengthened SK
// schedule (L. R. Knudsen): byte-oriented 64-bit block, a round count of 4
// to 13 and a variant number that selects schedule and default rounds:
//
//   variant  class               schedule          default rounds
//   1        TCipher_SAFER_K40   K, 64-bit key      5
//   2        TCipher_SAFER_K64   K, 64-bit key      6
//   3        TCipher_SAFER_K128  K, 128-bit key    10
//   5        TCipher_SAFER_SK40  SK, 64-bit key     5
//   6        TCipher_SAFER_SK64  SK, 64-bit key     6
//   7        TCipher_SAFER_SK128 SK, 128-bit key   10
//
// The 64-bit schedule uses the key as both of its halves; the 128-bit one
// takes the first 8 bytes as the first half and the last 8 as the second.
// Missing key bytes count as zero bytes. The 40-bit variants have no key
// schedule of their own: they run the 64-bit schedule on the 5-byte key
// followed by three zero bytes, with 5 rounds.
//
// TCipher_SAFER itself takes an SK variant by key length: up to 5 bytes SK-40,
// up to 8 bytes SK-64, longer SK-128.
class TCipher_SAFER : public TScheduledCipher<SaferKeySchedule> {
 public:
  static constexpr std::int32_t kMinRounds = 4;
  static constexpr std::int32_t kMaxRounds = 13;

  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

  // The round count: 0 in a new object until Init puts the variant's
  // default in, else 4 to 13. Init keeps a count that is in place, so a
  // TCipher_SAFER keyed again with a key of another length keeps the rounds
  // it had; SetRounds changes them.
  std::int32_t Rounds() const { return rounds_; }
  // Sets the round count used from the next block on. A value outside 4..13
  // selects the default of the variant (from the next Init on when the
  // object has not been keyed yet).
  void SetRounds(std::int32_t rounds);
  // 1, 2, 3 for K-40, K-64, K-128 and 5, 6, 7 for SK-40, SK-64, SK-128;
  // 0 in a new object until the first Init.
  std::int32_t Variant() const { return variant_; }

  static std::int32_t DefaultRounds(std::int32_t variant);

 protected:
  explicit TCipher_SAFER(TProtection* protection = nullptr) : TCipher_SAFER(Class(), protection) {}
  TCipher_SAFER(const TCipherClass& cls, TProtection* protection)
      : TScheduledCipher(cls, protection) {}

  // The variant for a key of keySize bytes (already fitted to MaxKeySize).
  virtual std::int32_t VariantFor(std::int32_t keySize) const;

  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  void BuildSchedule(const std::uint8_t* firstHalf, const std::uint8_t* secondHalf,
                     bool strengthened);
  const std::uint8_t* Subkeys() const { return &KeySchedule().subkeys[0][0]; }

  std::int32_t rounds_ = 0;
  std::int32_t variant_ = 0;
};

class TCipher_SAFER_K40 : public TCipher_SAFER {
 public:
  static const TCipherClass& Class();

 protected:
  explicit TCipher_SAFER_K40(TProtection* protection = nullptr)
      : TCipher_SAFER_K40(Class(), protection) {}
  TCipher_SAFER_K40(const TCipherClass& cls, TProtection* protection)
      : TCipher_SAFER(cls, protection) {}
  std::int32_t VariantFor(std::int32_t) const override { return 1; }
};

class TCipher_SAFER_SK40 : public TCipher_SAFER_K40 {
 public:
  static const TCipherClass& Class();

 protected:
  explicit TCipher_SAFER_SK40(TProtection* protection = nullptr)
      : TCipher_SAFER_K40(Class(), protection) {}
  std::int32_t VariantFor(std::int32_t) const override { return 5; }
};

class TCipher_SAFER_K64 : public TCipher_SAFER {
 public:
  static const TCipherClass& Class();

 protected:
  explicit TCipher_SAFER_K64(TProtection* protection = nullptr)
      : TCipher_SAFER_K64(Class(), protection) {}
  TCipher_SAFER_K64(const TCipherClass& cls, TProtection* protection)
      : TCipher_SAFER(cls, protection) {}
  std::int32_t VariantFor(std::int32_t) const override { return 2; }
};

class TCipher_SAFER_SK64 : public TCipher_SAFER_K64 {
 public:
  static const TCipherClass& Class();

 protected:
  explicit TCipher_SAFER_SK64(TProtection* protection = nullptr)
      : TCipher_SAFER_K64(Class(), protection) {}
  std::int32_t VariantFor(std::int32_t) const override { return 6; }
};

class TCipher_SAFER_K128 : public TCipher_SAFER {
 public:
  static const TCipherClass& Class();

 protected:
  explicit TCipher_SAFER_K128(TProtection* protection = nullptr)
      : TCipher_SAFER_K128(Class(), protection) {}
  TCipher_SAFER_K128(const TCipherClass& cls, TProtection* protection)
      : TCipher_SAFER(cls, protection) {}
  std::int32_t VariantFor(std::int32_t) const override { return 3; }
};

class TCipher_SAFER_SK128 : public TCipher_SAFER_K128 {
 public:
  static const TCipherClass& Class();

 protected:
  explicit TCipher_SAFER_SK128(TProtection* protection = nullptr)
      : TCipher_SAFER_K128(Class(), protection) {}
  std::int32_t VariantFor(std::int32_t) const override { return 7; }
};

}  // namespace velunor
