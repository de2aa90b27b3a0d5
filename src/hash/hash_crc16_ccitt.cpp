#include "hash/hash_crc16_ccitt.h"

#include <array>

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[2] = {0xB0, 0xD1};

// T[i] is the remainder of i * x^16 divided by the CCITT polynomial.
constexpr std::array<std::uint16_t, 256> MakeCcittTable() {
  std::array<std::uint16_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t remainder = i << 8;
    for (int bit = 0; bit < 8; ++bit) {
      remainder = (remainder & 0x8000u) != 0 ? (remainder << 1) ^ 0x1021u : remainder << 1;
    }
    table[i] = static_cast<std::uint16_t>(remainder);
  }
  return table;
}

constexpr auto kCcittTable = MakeCcittTable();

}  // namespace

const THashClass& THash_CRC16_CCITT::Class() {
  static const THashClass cls("THash_CRC16_CCITT", &THash_XOR16::Class(), 2, kKnownAnswer,
                              CreateHashObject<THash_CRC16_CCITT>);
  return cls;
}

void THash_CRC16_CCITT::Init() {
  ChecksumRegister = 0xFFFF;
  RunChainHook(ChainHookPoint::kInit);
}

void THash_CRC16_CCITT::AddData(const void* buffer, std::int32_t length) {
  if (buffer == nullptr || length <= 0) return;
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  std::uint32_t value = ChecksumRegister;
  for (std::int32_t i = 0; i < length; ++i) {
    value = (((value << 8) | bytes[i]) ^ kCcittTable[value >> 8]) & 0xFFFFu;
  }
  ChecksumRegister = static_cast<std::uint16_t>(value);
}

}  // namespace velunor
