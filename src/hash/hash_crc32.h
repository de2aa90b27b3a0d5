#pragma once

#include <span>

#include "hash/hash_xor32.h"

namespace velunor {

// CRC-32 (IEEE 802.3): reflected polynomial EDB88320 hex, register started
// at FFFFFFFF hex and inverted by Finish. The digest is the CRC value least
// significant byte first.
class THash_CRC32 : public THashFamily<THash_CRC32, THash_XOR32, THashInfo{4, 0}> {
 public:
  static constexpr char kClassName[] = "THash_CRC32";
  static constexpr std::uint8_t kKnownAnswer[4] = {0x58, 0xEE, 0x1F, 0x31};

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
};

}  // namespace velunor
