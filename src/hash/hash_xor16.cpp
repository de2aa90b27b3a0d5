#include "hash/hash_xor16.h"

#include "hash/xor_folding.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[2] = {0x79, 0xE8};

}  // namespace

const THashClass& THash_XOR16::Class() {
  static const THashClass cls("THash_XOR16", &TChecksum::Class(), 2, kKnownAnswer,
                              CreateHashObject<THash_XOR16>);
  return cls;
}

THash_XOR16::~THash_XOR16() {
  SecureFill(&ChecksumRegister, 0, sizeof ChecksumRegister);
}

void THash_XOR16::Init() {
  ChecksumRegister = 0;
  RunChainHook(ChainHookPoint::kInit);
}

void THash_XOR16::AddData(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  ChecksumRegister = UpdateXor16Folded(ChecksumRegister, data.data(), data.size());
}

void THash_XOR16::Finish() {
  RunChainHook(ChainHookPoint::kFinish);
}

std::uint8_t* THash_XOR16::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(&ChecksumRegister);
}

}  // namespace velunor
