#pragma once

#include <span>

#include "hash/hash_xor32.h"

namespace velunor {

// CRC-32 (IEEE 802.3): reflected polynomial EDB88320 hex, register started
// at FFFFFFFF hex and inverted by Finish. The digest is the CRC value least
// significant byte first.
class THash_CRC32 : public THash_XOR32 {
 public:
  using THash_XOR32::THash_XOR32;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
};

}  // namespace velunor
