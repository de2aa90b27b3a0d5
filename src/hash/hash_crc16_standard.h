#pragma once

#include <span>

#include "hash/hash_xor16.h"

namespace velunor {

// CRC-16/ARC: the reflected CRC-16 with polynomial A001 hex, starting from 0
// (the Init of THash_XOR16) and without final inversion. The class name
// keeps its lower-case "h"; stored form descriptions and name lookups use it.
class Thash_CRC16_Standard : public THash_XOR16 {
 public:
  using THash_XOR16::THash_XOR16;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
};

}  // namespace velunor
