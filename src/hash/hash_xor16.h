#pragma once

#include <span>

#include <cstdint>

#include "hash/hash.h"

namespace velunor {

// A 16-bit rotate-and-XOR checksum: for each byte the register is rotated
// left by 5 bits and the byte is XORed into its low 8 bits. The digest is
// the register, least significant byte first. Parent of the 16-bit CRCs,
// which share its register.
class THash_XOR16 : public TChecksum {
 public:
  using TChecksum::TChecksum;
  ~THash_XOR16() override;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
  std::uint8_t* DigestBuffer() override;

 protected:
  std::uint16_t ChecksumRegister = 0;
};

}  // namespace velunor
