#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"

namespace velunor {

// The Sapphire II stream cipher (M. P. Johnson, 1995) used as a hash. The
// state is a permutation of the 256 byte values (the cards) and five one-byte
// indices; every input byte runs one encryption step and the cipher bytes
// are dropped. Finish closes the message with one step for each of the bytes
// 255, 254, ..., 0 and then takes DigestSize cipher bytes of steps on zero
// bytes as the digest, as the designer's hash_final does. A shorter digest
// is therefore the start of a longer one of the same message. The
// descendants differ only in DigestSize and KnownAnswerData.
class THash_Sapphire320 : public THashFamily<THash_Sapphire320, THash, THashInfo{40, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire320";
  static constexpr std::uint8_t kKnownAnswer[40] = {
      0x56, 0x8D, 0x7D, 0xBF, 0x44, 0x80, 0x79, 0x45, 0x37, 0x91, 0x7A, 0x5D, 0x9C, 0xC2,
      0x55, 0x45, 0x4F, 0xF9, 0x33, 0x69, 0x69, 0xB3, 0x97, 0x64, 0x52, 0xE2, 0xFA, 0x04,
      0x82, 0x5C, 0xBE, 0x66, 0x6E, 0x34, 0x44, 0xD3, 0xCB, 0xD9, 0x6A, 0x3F};
  ~THash_Sapphire320() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
  static constexpr std::size_t kMaxDigestSize = 40;

  // One Sapphire II encryption step; returns the cipher byte.
  std::uint8_t EncryptByte(std::uint8_t plain);

  std::uint8_t Cards[256] = {};
  std::uint8_t Rotor = 0;
  std::uint8_t Ratchet = 0;
  std::uint8_t Avalanche = 0;
  std::uint8_t LastPlain = 0;
  std::uint8_t LastCipher = 0;
  std::uint8_t DigestArea[kMaxDigestSize] = {};
  // Bytes fed since Init.
  std::uint64_t ByteCount = 0;
};

class THash_Sapphire288
    : public THashFamily<THash_Sapphire288, THash_Sapphire320, THashInfo{36, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire288";

 protected:
  using THashFamily::THashFamily;
};

class THash_Sapphire256
    : public THashFamily<THash_Sapphire256, THash_Sapphire320, THashInfo{32, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire256";

 protected:
  using THashFamily::THashFamily;
};

class THash_Sapphire224
    : public THashFamily<THash_Sapphire224, THash_Sapphire320, THashInfo{28, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire224";

 protected:
  using THashFamily::THashFamily;
};

class THash_Sapphire192
    : public THashFamily<THash_Sapphire192, THash_Sapphire320, THashInfo{24, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire192";

 protected:
  using THashFamily::THashFamily;
};

class THash_Sapphire160
    : public THashFamily<THash_Sapphire160, THash_Sapphire320, THashInfo{20, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire160";

 protected:
  using THashFamily::THashFamily;
};

class THash_Sapphire128
    : public THashFamily<THash_Sapphire128, THash_Sapphire320, THashInfo{16, 0}> {
 public:
  static constexpr char kClassName[] = "THash_Sapphire128";

 protected:
  using THashFamily::THashFamily;
};

}  // namespace velunor
