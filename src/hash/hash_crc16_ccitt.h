#pragma once

#include <span>

#include "hash/hash_xor16.h"

namespace velunor {

// CRC-16 with the CCITT polynomial x^16 + x^12 + x^5 + 1 (1021 hex) in its
// register form: the register starts at FFFF hex, each byte is shifted in at
// the bottom while the top byte leaves through the most-significant-bit-first
// table. No closing zero bytes are fed and nothing is XORed at the end, so
// this is neither CRC-16/CCITT-FALSE nor the augmented CCITT CRC.
class THash_CRC16_CCITT : public THash_XOR16 {
 public:
  using THash_XOR16::THash_XOR16;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
};

}  // namespace velunor
