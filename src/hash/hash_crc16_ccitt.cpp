#include "hash/hash_crc16_ccitt.h"

#include "hash/crc_slicing.h"

namespace velunor {

void THash_CRC16_CCITT::StartDigest() {
  ChecksumRegister = 0xFFFF;
}

void THash_CRC16_CCITT::Absorb(std::span<const std::uint8_t> data) {
  ChecksumRegister = UpdateCcittRegisterSliced(ChecksumRegister, data.data(), data.size());
}

}  // namespace velunor
