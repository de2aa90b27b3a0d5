#include "hash/hash_crc16_standard.h"

#include "hash/crc_slicing.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[2] = {0xED, 0x75};

}  // namespace

const THashClass& Thash_CRC16_Standard::Class() {
  static const THashClass cls("Thash_CRC16_Standard", &THash_XOR16::Class(), 2, kKnownAnswer,
                              CreateHashObject<Thash_CRC16_Standard>);
  return cls;
}

void Thash_CRC16_Standard::AddData(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  ChecksumRegister = UpdateCrc16Sliced(ChecksumRegister, data.data(), data.size());
}

}  // namespace velunor
