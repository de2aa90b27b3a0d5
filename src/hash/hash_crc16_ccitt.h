#pragma once

#include <span>

#include "hash/hash_xor16.h"

namespace velunor {

// CRC-16 with the CCITT polynomial x^16 + x^12 + x^5 + 1 (1021 hex) in its
// register form: the register starts at FFFF hex, each byte is shifted in at
// the bottom while the top byte leaves through the most-significant-bit-first
// table. No closing zero bytes are fed and nothing is XORed at the end, so
// this is neither CRC-16/CCITT-FALSE nor the augmented CCITT CRC.
class THash_CRC16_CCITT : public THashFamily<THash_CRC16_CCITT, THash_XOR16, THashInfo{2, 0}> {
 public:
  static constexpr char kClassName[] = "THash_CRC16_CCITT";
  static constexpr std::uint8_t kKnownAnswer[2] = {0xB0, 0xD1};

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
};

}  // namespace velunor
