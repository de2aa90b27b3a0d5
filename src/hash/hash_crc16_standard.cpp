#include "hash/hash_crc16_standard.h"

#include "hash/crc_slicing.h"

namespace velunor {

void THash_CRC16_Standard::Absorb(std::span<const std::uint8_t> data) {
  ChecksumRegister = UpdateCrc16Sliced(ChecksumRegister, data.data(), data.size());
}

}  // namespace velunor
