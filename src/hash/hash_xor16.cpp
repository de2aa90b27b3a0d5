#include "hash/hash_xor16.h"

#include "hash/xor_folding.h"
#include "runtime/support.h"

namespace velunor {

THash_XOR16::~THash_XOR16() {
  SecureFill(&ChecksumRegister, 0, sizeof ChecksumRegister);
}

void THash_XOR16::StartDigest() {
  ChecksumRegister = 0;
}

void THash_XOR16::Absorb(std::span<const std::uint8_t> data) {
  ChecksumRegister = UpdateXor16Folded(ChecksumRegister, data.data(), data.size());
}

void THash_XOR16::CompleteDigest() {}

std::uint8_t* THash_XOR16::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(&ChecksumRegister);
}

}  // namespace velunor
