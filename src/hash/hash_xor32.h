#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"

namespace velunor {

// A 32-bit rotate-and-XOR checksum over 16-bit little-endian words. Each
// AddData call of odd length first XORs its first byte into the register
// unrotated, then takes the rest in pairs: rotate left by 5 bits, XOR the
// word into the low 16 bits. Pieces therefore give the one-call checksum
// only when every piece after the first has an even length. The digest is
// the register, least significant byte first. Parent of THash_CRC32, which
// shares its register.
class THash_XOR32 : public THashFamily<THash_XOR32, TChecksum, THashInfo{4, 0}> {
 public:
  static constexpr char kClassName[] = "THash_XOR32";
  static constexpr std::uint8_t kKnownAnswer[4] = {0x8D, 0xAD, 0x89, 0x7F};
  ~THash_XOR32() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
  std::uint32_t ChecksumRegister = 0;
};

}  // namespace velunor
