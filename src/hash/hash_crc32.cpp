#include "hash/hash_crc32.h"

#include "hash/crc32_clmul.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[4] = {0x58, 0xEE, 0x1F, 0x31};

}  // namespace

const THashClass& THash_CRC32::Class() {
  static const THashClass cls("THash_CRC32", &THash_XOR32::Class(), 4, kKnownAnswer,
                              CreateHashObject<THash_CRC32>);
  return cls;
}

void THash_CRC32::Init() {
  ChecksumRegister = 0xFFFFFFFFu;
  RunChainHook(ChainHookPoint::kInit);
}

void THash_CRC32::AddData(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  ChecksumRegister = UpdateCrc32Fast(ChecksumRegister, data.data(), data.size());
}

void THash_CRC32::Finish() {
  ChecksumRegister = ~ChecksumRegister;
  RunChainHook(ChainHookPoint::kFinish);
}

}  // namespace velunor
