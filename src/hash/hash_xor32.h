#pragma once

#include <span>

#include <cstdint>

#include "hash/hash.h"

namespace velunor {

// A 32-bit rotate-and-XOR checksum over 16-bit little-endian words. Each
// AddData call of odd length first XORs its first byte into the register
// unrotated, then takes the rest in pairs: rotate left by 5 bits, XOR the
// word into the low 16 bits. Pieces therefore give the one-call checksum
// only when every piece after the first has an even length. The digest is
// the register, least significant byte first. Parent of THash_CRC32, which
// shares its register.
class THash_XOR32 : public TChecksum {
 public:
  using TChecksum::TChecksum;
  ~THash_XOR32() override;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
  std::uint8_t* DigestBuffer() override;

 protected:
  std::uint32_t ChecksumRegister = 0;
};

}  // namespace velunor
