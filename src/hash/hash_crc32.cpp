#include "hash/hash_crc32.h"

#include "hash/crc32_clmul.h"

namespace velunor {

void THash_CRC32::StartDigest() {
  ChecksumRegister = 0xFFFFFFFFu;
}

void THash_CRC32::Absorb(std::span<const std::uint8_t> data) {
  ChecksumRegister = UpdateCrc32Fast(ChecksumRegister, data.data(), data.size());
}

void THash_CRC32::CompleteDigest() {
  ChecksumRegister = ~ChecksumRegister;
}

}  // namespace velunor
