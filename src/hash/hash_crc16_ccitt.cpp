#include "hash/hash_crc16_ccitt.h"

#include "hash/crc_slicing.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[2] = {0xB0, 0xD1};

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

void THash_CRC16_CCITT::AddData(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  ChecksumRegister = UpdateCcittRegisterSliced(ChecksumRegister, data.data(), data.size());
}

}  // namespace velunor
