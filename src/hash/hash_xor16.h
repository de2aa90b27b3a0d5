#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"

namespace velunor {

// A 16-bit rotate-and-XOR checksum: for each byte the register is rotated
// left by 5 bits and the byte is XORed into its low 8 bits. The digest is
// the register, least significant byte first. Parent of the 16-bit CRCs,
// which share its register.
class THash_XOR16 : public THashFamily<THash_XOR16, TChecksum, THashInfo{2, 0}> {
 public:
  static constexpr char kClassName[] = "THash_XOR16";
  static constexpr std::uint8_t kKnownAnswer[2] = {0x79, 0xE8};
  ~THash_XOR16() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
  std::uint16_t ChecksumRegister = 0;
};

}  // namespace velunor
