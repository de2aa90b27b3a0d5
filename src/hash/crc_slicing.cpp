#include "hash/crc_slicing.h"

#include <array>

namespace velunor {

namespace {

constexpr std::size_t kSlice = 16;

template <class Word>
using SliceTables = std::array<std::array<Word, 256>, kSlice>;

// Reflected CRC: Tables[0][v] is the register after the byte v from a zero
// register; Tables[k][v] the same followed by k zero bytes.
template <class Word>
constexpr SliceTables<Word> MakeReflectedTables(std::uint32_t polynomial) {
  SliceTables<Word> tables{};
  for (std::uint32_t v = 0; v < 256; ++v) {
    std::uint32_t value = v;
    for (int bit = 0; bit < 8; ++bit)
      value = (value & 1u) != 0 ? (value >> 1) ^ polynomial : value >> 1;
    tables[0][v] = static_cast<Word>(value);
  }
  for (std::size_t k = 1; k < kSlice; ++k) {
    for (std::uint32_t v = 0; v < 256; ++v) {
      const std::uint32_t previous = tables[k - 1][v];
      tables[k][v] = static_cast<Word>((previous >> 8) ^ tables[0][previous & 0xFFu]);
    }
  }
  return tables;
}

constexpr auto kCrc32Tables = MakeReflectedTables<std::uint32_t>(0xEDB88320u);
constexpr auto kCrc16Tables = MakeReflectedTables<std::uint16_t>(0xA001u);

// Sixteen bytes of a reflected CRC at once: the register meets the first
// bytes, and byte i goes through the table of the 15 - i bytes after it.
template <class Word>
Word UpdateReflected(const SliceTables<Word>& tables, Word crc, const std::uint8_t* data,
                     std::size_t size) {
  std::uint32_t value = crc;
  for (; size >= kSlice; size -= kSlice, data += kSlice) {
    std::uint32_t next = 0;
#pragma GCC unroll 4
    for (std::size_t i = 0; i < 4; ++i)
      next ^= tables[kSlice - 1 - i][(data[i] ^ (value >> (8 * i))) & 0xFFu];
#pragma GCC unroll 12
    for (std::size_t i = 4; i < kSlice; ++i)
      next ^= tables[kSlice - 1 - i][data[i]];
    value = next;
  }
  for (; size > 0; --size, ++data)
    value = (value >> 8) ^ tables[0][(value ^ *data) & 0xFFu];
  return static_cast<Word>(value);
}

// The CCITT register form: Tables[k][v] = v * x^(8 * (k + 2)) mod P, the
// effect of a byte that has k + 2 bytes after it. Tables[0] is the step table
// (the remainder of v * x^16).
constexpr SliceTables<std::uint16_t> MakeCcittTables() {
  SliceTables<std::uint16_t> tables{};
  for (std::uint32_t v = 0; v < 256; ++v) {
    std::uint32_t remainder = v << 8;
    for (int bit = 0; bit < 8; ++bit)
      remainder = (remainder & 0x8000u) != 0 ? (remainder << 1) ^ 0x1021u : remainder << 1;
    tables[0][v] = static_cast<std::uint16_t>(remainder);
  }
  for (std::size_t k = 1; k < kSlice; ++k) {
    for (std::uint32_t v = 0; v < 256; ++v) {
      const std::uint32_t previous = tables[k - 1][v];
      tables[k][v] =
          static_cast<std::uint16_t>(((previous << 8) & 0xFFFFu) ^ tables[0][previous >> 8]);
    }
  }
  return tables;
}

constexpr auto kCcittTables = MakeCcittTables();

}  // namespace

std::uint32_t UpdateCrc32Sliced(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  return UpdateReflected(kCrc32Tables, crc, data, size);
}

std::uint16_t UpdateCrc16Sliced(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
  return UpdateReflected(kCrc16Tables, crc, data, size);
}

std::uint16_t UpdateCcittRegister(std::uint16_t value, const std::uint8_t* data, std::size_t size) {
  std::uint32_t r = value;
  for (std::size_t i = 0; i < size; ++i)
    r = (((r << 8) | data[i]) ^ kCcittTables[0][r >> 8]) & 0xFFFFu;
  return static_cast<std::uint16_t>(r);
}

// Sixteen bytes at once: the register ends up sixteen bytes further up
// (its two bytes have 16 and 17 bytes after them), byte i has 15 - i bytes
// after it, and the last two bytes need no reduction.
std::uint16_t UpdateCcittRegisterSliced(std::uint16_t value, const std::uint8_t* data,
                                        std::size_t size) {
  std::uint32_t r = value;
  for (; size >= kSlice; size -= kSlice, data += kSlice) {
    std::uint32_t next = kCcittTables[kSlice - 1][r >> 8] ^ kCcittTables[kSlice - 2][r & 0xFFu] ^
                         (static_cast<std::uint32_t>(data[kSlice - 2]) << 8) ^ data[kSlice - 1];
#pragma GCC unroll 14
    for (std::size_t i = 0; i < kSlice - 2; ++i)
      next ^= kCcittTables[kSlice - 3 - i][data[i]];
    r = next;
  }
  return UpdateCcittRegister(static_cast<std::uint16_t>(r), data, size);
}

}  // namespace velunor
