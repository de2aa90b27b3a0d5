#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "hash/crc32_clmul.h"
#include "hash/crc_slicing.h"
#include "hash/xor_folding.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// A checksum update over (register, bytes, byte count); the XOR-32 forms
// take the bytes in pairs, so their rows feed whole pairs only.
using Update = std::function<std::uint32_t(std::uint32_t, const std::uint8_t*, std::size_t)>;

struct FastPathCase {
  std::string name;
  Update fast;
  Update stepwise;
  std::uint32_t registerMask;
  bool needsCarrylessMultiply = false;
};

// A reflected CRC a bit at a time, as it is defined: the reference for the
// table-driven forms.
std::uint32_t ReflectedCrcBitwise(std::uint32_t polynomial, std::uint32_t r, const std::uint8_t* d,
                                  std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    r ^= d[i];
    for (int bit = 0; bit < 8; ++bit)
      r = (r & 1u) != 0 ? (r >> 1) ^ polynomial : r >> 1;
  }
  return r;
}

std::vector<FastPathCase> Cases() {
  const auto crc32 = [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
    return ReflectedCrcBitwise(0xEDB88320u, r, d, n);
  };
  const auto crc16 = [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
    return ReflectedCrcBitwise(0xA001u, r & 0xFFFFu, d, n);
  };
  return {
      {"CRC-32 carry-less", UpdateCrc32Clmul, crc32, 0xFFFFFFFFu, true},
      {"CRC-32 dispatched", UpdateCrc32Fast, crc32, 0xFFFFFFFFu},
      {"CRC-32 sliced", UpdateCrc32Sliced, crc32, 0xFFFFFFFFu},
      {"CRC-16/ARC sliced",
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return std::uint32_t{UpdateCrc16Sliced(static_cast<std::uint16_t>(r), d, n)};
       },
       crc16, 0xFFFFu},
      {"CCITT register sliced",
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return std::uint32_t{UpdateCcittRegisterSliced(static_cast<std::uint16_t>(r), d, n)};
       },
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return std::uint32_t{UpdateCcittRegister(static_cast<std::uint16_t>(r), d, n)};
       },
       0xFFFFu},
      {"XOR-16 folded",
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return std::uint32_t{UpdateXor16Folded(static_cast<std::uint16_t>(r), d, n)};
       },
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return std::uint32_t{UpdateXor16(static_cast<std::uint16_t>(r), d, n)};
       },
       0xFFFFu},
      {"XOR-32 folded",
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return UpdateXor32Folded(r, d, n / 2);
       },
       [](std::uint32_t r, const std::uint8_t* d, std::size_t n) {
         return UpdateXor32(r, d, n / 2);
       },
       0xFFFFFFFFu},
  };
}

// The published check values over "123456789": CRC-32 (with its initial
// and final inversion) and CRC-16/ARC.
TEST(ChecksumFastPaths, CheckValues) {
  const auto* digits = reinterpret_cast<const std::uint8_t*>("123456789");
  EXPECT_EQ(UpdateCrc32Fast(0xFFFFFFFFu, digits, 9) ^ 0xFFFFFFFFu, 0xCBF43926u);
  EXPECT_EQ(UpdateCrc16Sliced(0, digits, 9), 0xBB3Du);
}

// Every length up to a few folding periods, some long runs, every alignment
// of the start and several start registers: the fast forms must give the
// step-by-step register exactly.
TEST(ChecksumFastPaths, GiveTheStepwiseRegister) {
  const ByteString buffer = test::PatternBytes(70000 + 16, 5);
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 300; ++n)
    lengths.push_back(n);
  for (const std::size_t n : {511u, 512u, 1023u, 4096u, 4109u, 65536u, 70000u})
    lengths.push_back(n);
  for (const FastPathCase& c : Cases()) {
    if (c.needsCarrylessMultiply && !ProcessorFeatures().carrylessMultiply) continue;
    for (const std::uint32_t start : {0u, 0xFFFFFFFFu, 0x1234ABCDu}) {
      for (std::size_t offset = 0; offset < 16; ++offset) {
        for (const std::size_t length : lengths) {
          const std::uint8_t* data = BytesOf(buffer) + offset;
          const std::uint32_t r = start & c.registerMask;
          ASSERT_EQ(c.stepwise(r, data, length), c.fast(r, data, length))
              << c.name << ", length " << length << ", offset " << offset << ", start " << start;
        }
      }
    }
  }
}

}  // namespace
}  // namespace velunor
