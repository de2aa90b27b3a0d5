#pragma once

#include <span>

#include "hash/hash_xor16.h"

namespace velunor {

// CRC-16/ARC: the reflected CRC-16 with polynomial A001 hex, starting from 0
// (the Init of THash_XOR16) and without final inversion. The class name
// keeps its lower-case "h"; stored form descriptions and name lookups use it.
class THash_CRC16_Standard
    : public THashFamily<THash_CRC16_Standard, THash_XOR16, THashInfo{2, 0}> {
 public:
  static constexpr char kClassName[] = "Thash_CRC16_Standard";
  static constexpr std::uint8_t kKnownAnswer[2] = {0xED, 0x75};

 protected:
  using THashFamily::THashFamily;
  void Absorb(std::span<const std::uint8_t> data) override;
};

}  // namespace velunor
