#pragma once

#include <span>

#include <cstdint>

#include "hash/hash.h"

namespace velunor {

// The Sapphire II stream cipher (M. P. Johnson, 1995) used as a hash. The
// state is a permutation of the 256 byte values (the cards) and five one-byte
// indices; every input byte runs one encryption step and the cipher bytes
// are dropped. Finish closes the message with one step for each of the bytes
// 255, 254, ..., 0 and then takes DigestSize cipher bytes of steps on zero
// bytes as the digest, as the designer's hash_final does. A shorter digest
// is therefore the start of a longer one of the same message. The
// descendants differ only in DigestSize and KnownAnswerData.
class THash_Sapphire320 : public THash {
 public:
  using THash::THash;
  ~THash_Sapphire320() override;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
  std::uint8_t* DigestBuffer() override;

 protected:
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

class THash_Sapphire288 : public THash_Sapphire320 {
 public:
  using THash_Sapphire320::THash_Sapphire320;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Sapphire256 : public THash_Sapphire320 {
 public:
  using THash_Sapphire320::THash_Sapphire320;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Sapphire224 : public THash_Sapphire320 {
 public:
  using THash_Sapphire320::THash_Sapphire320;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Sapphire192 : public THash_Sapphire320 {
 public:
  using THash_Sapphire320::THash_Sapphire320;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Sapphire160 : public THash_Sapphire320 {
 public:
  using THash_Sapphire320::THash_Sapphire320;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Sapphire128 : public THash_Sapphire320 {
 public:
  using THash_Sapphire320::THash_Sapphire320;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

}  // namespace velunor
