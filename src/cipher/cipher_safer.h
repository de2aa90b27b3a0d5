#pragma once

#include "cipher/cipher_family.h"

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
// up to 8 bytes SK-64, longer SK-128. Every class reports 768 bytes of key
// data, more than the 216 bytes its schedule holds.
class TCipher_SAFER
    : public TCipherFamily<TCipher_SAFER, SaferKeySchedule, TCipherInfo{8, 16, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER";
  // Keyed with 16 bytes the base runs SK-128, so the two share their self-test bytes.
  static constexpr std::uint8_t kKnownAnswer[32] = {0xC2, 0x7B, 0xD6, 0xB7, 0x58, 0x17, 0xD0, 0xE2,
                                                    0xA7, 0x06, 0xF3, 0xF9, 0x86, 0x02, 0x26, 0xE4,
                                                    0x11, 0x68, 0x9F, 0x62, 0xD4, 0x9A, 0x8A, 0xCD,
                                                    0xB6, 0x50, 0x49, 0x12, 0xEB, 0xA6, 0xA4, 0xB6};
  static constexpr std::int32_t kMinRounds = 4;
  static constexpr std::int32_t kMaxRounds = 13;

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
  using TCipherFamily::TCipherFamily;
  void ScheduleKey(std::span<const std::uint8_t> key) override;

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

class TCipher_SAFER_K40
    : public TCipherVariant<TCipher_SAFER_K40, TCipher_SAFER, TCipherInfo{8, 5, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER_K40";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x64, 0xFE, 0xEF, 0x2F, 0x53, 0x8F, 0x35, 0x98,
                                                    0x8B, 0xC8, 0x4F, 0x5C, 0xE1, 0x60, 0x3F, 0xFC,
                                                    0x65, 0x5A, 0xEF, 0x48, 0xFF, 0x3C, 0x0A, 0x76,
                                                    0xBA, 0x47, 0x1E, 0x43, 0xED, 0xBF, 0x66, 0x4A};

 protected:
  using TCipherVariant::TCipherVariant;
  std::int32_t VariantFor(std::int32_t) const override { return 1; }
};

class TCipher_SAFER_SK40
    : public TCipherVariant<TCipher_SAFER_SK40, TCipher_SAFER_K40, TCipherInfo{8, 5, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER_SK40";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xD9, 0x94, 0x36, 0x82, 0xA6, 0xC7, 0x32, 0x17,
                                                    0xB1, 0x89, 0x69, 0x92, 0xB3, 0xC1, 0xBF, 0xBA,
                                                    0xFD, 0xA7, 0x14, 0x3A, 0xA0, 0xAA, 0xF5, 0xF9,
                                                    0x9F, 0x27, 0x59, 0x2D, 0xB9, 0x3E, 0x8A, 0x43};

 protected:
  using TCipherVariant::TCipherVariant;
  std::int32_t VariantFor(std::int32_t) const override { return 5; }
};

class TCipher_SAFER_K64
    : public TCipherVariant<TCipher_SAFER_K64, TCipher_SAFER, TCipherInfo{8, 8, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER_K64";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xE3, 0x6A, 0x9D, 0x1D, 0x17, 0x31, 0x7B, 0x1D,
                                                    0x1F, 0xC6, 0x8D, 0x1E, 0x24, 0xC3, 0xDE, 0xBE,
                                                    0xF4, 0xD6, 0x0C, 0xDD, 0x1B, 0xCD, 0x36, 0xC0,
                                                    0xF2, 0x9C, 0xEE, 0xF2, 0x09, 0x3C, 0x1E, 0x8B};

 protected:
  using TCipherVariant::TCipherVariant;
  std::int32_t VariantFor(std::int32_t) const override { return 2; }
};

class TCipher_SAFER_SK64
    : public TCipherVariant<TCipher_SAFER_SK64, TCipher_SAFER_K64, TCipherInfo{8, 8, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER_SK64";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xB6, 0x11, 0x06, 0x63, 0xF1, 0xEA, 0xA4, 0xCD,
                                                    0x14, 0x47, 0x75, 0xA5, 0x97, 0xCB, 0x5E, 0x47,
                                                    0xF3, 0x6B, 0x6E, 0xF8, 0x84, 0x9E, 0xB2, 0xD8,
                                                    0x33, 0xC1, 0x2C, 0xC8, 0x15, 0xEE, 0x89, 0x51};

 protected:
  using TCipherVariant::TCipherVariant;
  std::int32_t VariantFor(std::int32_t) const override { return 6; }
};

class TCipher_SAFER_K128
    : public TCipherVariant<TCipher_SAFER_K128, TCipher_SAFER, TCipherInfo{8, 16, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER_K128";
  static constexpr std::uint8_t kKnownAnswer[32] = {0x37, 0x43, 0xF4, 0xBF, 0x79, 0x73, 0x23, 0xE6,
                                                    0x73, 0x73, 0x75, 0xCF, 0xD7, 0xC1, 0xFD, 0x7D,
                                                    0xF4, 0x72, 0x59, 0x46, 0xCE, 0xFC, 0xEB, 0x5F,
                                                    0x04, 0x53, 0x40, 0x24, 0x06, 0x32, 0x85, 0x69};

 protected:
  using TCipherVariant::TCipherVariant;
  std::int32_t VariantFor(std::int32_t) const override { return 3; }
};

class TCipher_SAFER_SK128
    : public TCipherVariant<TCipher_SAFER_SK128, TCipher_SAFER_K128, TCipherInfo{8, 16, 768}> {
 public:
  static constexpr char kClassName[] = "TCipher_SAFER_SK128";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xC2, 0x7B, 0xD6, 0xB7, 0x58, 0x17, 0xD0, 0xE2,
                                                    0xA7, 0x06, 0xF3, 0xF9, 0x86, 0x02, 0x26, 0xE4,
                                                    0x11, 0x68, 0x9F, 0x62, 0xD4, 0x9A, 0x8A, 0xCD,
                                                    0xB6, 0x50, 0x49, 0x12, 0xEB, 0xA6, 0xA4, 0xB6};

 protected:
  using TCipherVariant::TCipherVariant;
  std::int32_t VariantFor(std::int32_t) const override { return 7; }
};

}  // namespace velunor
