#include "hash/hash_xor32.h"

#include "hash/xor_folding.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[4] = {0x8D, 0xAD, 0x89, 0x7F};

}  // namespace

const THashClass& THash_XOR32::Class() {
  static const THashClass cls("THash_XOR32", &TChecksum::Class(), 4, kKnownAnswer,
                              CreateHashObject<THash_XOR32>);
  return cls;
}

THash_XOR32::~THash_XOR32() {
  SecureFill(&ChecksumRegister, 0, sizeof ChecksumRegister);
}

void THash_XOR32::Init() {
  ChecksumRegister = 0;
  RunChainHook(ChainHookPoint::kInit);
}

void THash_XOR32::AddData(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  const std::uint8_t* bytes = data.data();
  std::size_t size = data.size();
  if (size % 2 != 0) {
    ChecksumRegister ^= *bytes++;
    --size;
  }
  ChecksumRegister = UpdateXor32Folded(ChecksumRegister, bytes, size / 2);
}

void THash_XOR32::Finish() {
  RunChainHook(ChainHookPoint::kFinish);
}

std::uint8_t* THash_XOR32::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(&ChecksumRegister);
}

}  // namespace velunor
