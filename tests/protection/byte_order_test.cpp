// The byte-order loads and stores that every hash and cipher reads its words
// with, on bytes at an odd address.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "runtime/byte_order.h"

namespace velunor {
namespace {

struct WordCase {
  const char* name;
  std::size_t size;
  std::uint64_t value;  // of the bytes 01 02 03 .. 08
  std::uint64_t (*load)(const std::uint8_t*);
  void (*store)(std::uint8_t*, std::uint64_t);
};

template <ByteOrderWord Word, bool kBigEndian>
WordCase Case(const char* name, std::uint64_t value) {
  return {name, sizeof(Word), value,
          [](const std::uint8_t* b) -> std::uint64_t {
            return kBigEndian ? LoadBE<Word>(b) : LoadLE<Word>(b);
          },
          [](std::uint8_t* b, std::uint64_t v) {
            kBigEndian ? StoreBE(b, static_cast<Word>(v)) : StoreLE(b, static_cast<Word>(v));
          }};
}

const WordCase kWordCases[] = {
    Case<std::uint16_t, false>("LE16", 0x0201),
    Case<std::uint16_t, true>("BE16", 0x0102),
    Case<std::uint32_t, false>("LE32", 0x04030201),
    Case<std::uint32_t, true>("BE32", 0x01020304),
    Case<std::uint64_t, false>("LE64", 0x0807060504030201),
    Case<std::uint64_t, true>("BE64", 0x0102030405060708),
};

constexpr std::uint8_t kCounting[9] = {0xEE, 1, 2, 3, 4, 5, 6, 7, 8};

TEST(ByteOrder, SingleWordsLoadAndStoreTheirBytesInOrder) {
  for (const WordCase& c : kWordCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.load(kCounting + 1), c.value);
    std::uint8_t out[10] = {};
    c.store(out + 1, c.value);
    EXPECT_EQ(std::memcmp(out + 1, kCounting + 1, c.size), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1 + c.size], 0) << "a store writes only its own bytes";
  }
}

TEST(ByteOrder, SwapReversesTheBytesOfEachWidth) {
  EXPECT_EQ(SwapBytes(std::uint16_t{0x1122}), 0x2211u);
  EXPECT_EQ(SwapBytes(std::uint32_t{0x11223344}), 0x44332211u);
  EXPECT_EQ(SwapBytes(std::uint64_t{0x1122334455667788}), 0x8877665544332211u);
}

TEST(ByteOrder, RunsOfWordsFollowTheWordOrder) {
  std::uint32_t big[2];
  LoadBE(big, kCounting + 1);
  EXPECT_EQ(big[0], 0x01020304u);
  EXPECT_EQ(big[1], 0x05060708u);
  std::uint16_t little[4];
  LoadLE(little, kCounting + 1);
  EXPECT_EQ(little[3], 0x0807u);

  std::uint8_t out[8] = {};
  StoreBE(out, big);
  EXPECT_EQ(std::memcmp(out, kCounting + 1, 8), 0);
  std::uint8_t outLittle[8] = {};
  StoreLE(outLittle, little);
  EXPECT_EQ(std::memcmp(outLittle, kCounting + 1, 8), 0);

  struct Pair {
    std::uint32_t first, second;
  };
  const Pair pair = LoadLEWords<Pair>(kCounting + 1);
  EXPECT_EQ(pair.first, 0x04030201u);
  EXPECT_EQ(pair.second, 0x08070605u);
  std::uint8_t outPair[8] = {};
  StoreLEWords(outPair, pair);
  EXPECT_EQ(std::memcmp(outPair, kCounting + 1, 8), 0);
}

}  // namespace
}  // namespace velunor
