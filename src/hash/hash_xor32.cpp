#include "hash/hash_xor32.h"

#include "hash/xor_folding.h"
#include "runtime/support.h"

namespace velunor {

THash_XOR32::~THash_XOR32() {
  SecureFill(&ChecksumRegister, 0, sizeof ChecksumRegister);
}

void THash_XOR32::StartDigest() {
  ChecksumRegister = 0;
}

void THash_XOR32::Absorb(std::span<const std::uint8_t> data) {
  const std::uint8_t* bytes = data.data();
  std::size_t size = data.size();
  if (size % 2 != 0) {
    ChecksumRegister ^= *bytes++;
    --size;
  }
  ChecksumRegister = UpdateXor32Folded(ChecksumRegister, bytes, size / 2);
}

void THash_XOR32::CompleteDigest() {}

std::uint8_t* THash_XOR32::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(&ChecksumRegister);
}

}  // namespace velunor
