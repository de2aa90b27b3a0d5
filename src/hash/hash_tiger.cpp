#include "hash/hash_tiger.h"

#include <cstring>

#include "hash/tiger_sboxes.h"
#include "runtime/bit_field_extract.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::uint64_t kInitialChaining[3] = {0x0123456789ABCDEF, 0xFEDCBA9876543210,
                                               0xF096A5B4C3B2E187};

constexpr std::uint32_t kStandardPassCount = 3;
constexpr std::uint32_t kMaxPassCount = 32;

// One round: the message word enters c; the even bytes of c, looked up in the
// S-boxes, are subtracted from a, the odd bytes added to b, and b is
// multiplied by the pass's multiplier (a constant, so a shift and an add).
// The four look-ups of each side are combined as two pairs, and the empty
// statements keep the compiler from chaining the XORs one after the other:
// a is the next round's c, so this is the chain of dependent steps.
template <std::uint64_t kMultiplier, bool kBitFieldExtract>
inline void Round(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c, std::uint64_t x) {
  const auto& t = TigerSBoxes;
  c ^= x;
  std::uint64_t even01 =
      t[0][ByteOf<kBitFieldExtract, 0>(c)] ^ t[1][ByteOf<kBitFieldExtract, 2>(c)];
  std::uint64_t even23 =
      t[2][ByteOf<kBitFieldExtract, 4>(c)] ^ t[3][ByteOf<kBitFieldExtract, 6>(c)];
  std::uint64_t odd01 = t[3][ByteOf<kBitFieldExtract, 1>(c)] ^ t[2][ByteOf<kBitFieldExtract, 3>(c)];
  std::uint64_t odd23 = t[1][ByteOf<kBitFieldExtract, 5>(c)] ^ t[0][c >> 56];
#if defined(__GNUC__)
  asm("" : "+r"(even01), "+r"(even23));
#endif
  a -= even01 ^ even23;
  b += odd01 ^ odd23;
  b *= kMultiplier;
}

// Eight rounds, one per message word, the registers changing roles each time.
template <std::uint64_t kMultiplier, bool kBitFieldExtract>
inline void Pass(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c, const std::uint64_t* x) {
  Round<kMultiplier, kBitFieldExtract>(a, b, c, x[0]);
  Round<kMultiplier, kBitFieldExtract>(b, c, a, x[1]);
  Round<kMultiplier, kBitFieldExtract>(c, a, b, x[2]);
  Round<kMultiplier, kBitFieldExtract>(a, b, c, x[3]);
  Round<kMultiplier, kBitFieldExtract>(b, c, a, x[4]);
  Round<kMultiplier, kBitFieldExtract>(c, a, b, x[5]);
  Round<kMultiplier, kBitFieldExtract>(a, b, c, x[6]);
  Round<kMultiplier, kBitFieldExtract>(b, c, a, x[7]);
}

// Mixes the eight message words between two passes.
inline void KeySchedule(std::uint64_t* x) {
  x[0] -= x[7] ^ 0xA5A5A5A5A5A5A5A5;
  x[1] ^= x[0];
  x[2] += x[1];
  x[3] -= x[2] ^ (~x[1] << 19);
  x[4] ^= x[3];
  x[5] += x[4];
  x[6] -= x[5] ^ (~x[4] >> 23);
  x[7] ^= x[6];
  x[0] += x[7];
  x[1] -= x[0] ^ (~x[7] << 19);
  x[2] ^= x[1];
  x[3] += x[2];
  x[4] -= x[3] ^ (~x[2] >> 23);
  x[5] ^= x[4];
  x[6] += x[5];
  x[7] -= x[6] ^ 0x0123456789ABCDEF;
}

}  // namespace

void THash_Tiger::StartDigest() {
  ResetBlockState();
  if (PassCount < kStandardPassCount || PassCount > kMaxPassCount) PassCount = kStandardPassCount;
  std::memcpy(ChainingState, kInitialChaining, sizeof kInitialChaining);
}

void THash_Tiger::CompleteDigest() {
  PadAndCompress(0x01, false);
}

namespace {

// The published Tiger compression: passes with the multipliers 5, 7 and 9
// (9 for every further pass), the key schedule between passes, and the
// feed-forward of the saved chaining value by XOR, subtraction and addition.
template <bool kBitFieldExtract>
void CompressTiger(std::uint64_t (&h)[3], std::uint32_t passCount, const std::uint8_t* block) {
  std::uint64_t x[8];
  LoadLE(x, block);  // little-endian message words
  std::uint64_t a = h[0], b = h[1], c = h[2];

  Pass<5, kBitFieldExtract>(a, b, c, x);
  KeySchedule(x);
  Pass<7, kBitFieldExtract>(c, a, b, x);
  KeySchedule(x);
  Pass<9, kBitFieldExtract>(b, c, a, x);
  for (std::uint32_t pass = kStandardPassCount; pass < passCount; ++pass) {
    KeySchedule(x);
    Pass<9, kBitFieldExtract>(a, b, c, x);
    // The roles move on as they did from pass to pass above.
    const std::uint64_t previousA = a;
    a = c;
    c = b;
    b = previousA;
  }

  h[0] ^= a;
  h[1] = b - h[1];
  h[2] += c;
}

// A run of blocks with the chaining words in registers from block to block.
template <bool kBitFieldExtract>
void CompressTigerRun(std::uint32_t* chaining, std::uint32_t passCount, const std::uint8_t* blocks,
                      std::size_t count) {
  std::uint64_t h[3];
  std::memcpy(h, chaining, sizeof h);
  for (; count > 0; --count, blocks += 64)
    CompressTiger<kBitFieldExtract>(h, passCount, blocks);
  std::memcpy(chaining, h, sizeof h);
}

}  // namespace

void THash_Tiger::CompressBlock(const std::uint8_t* block) {
  CompressBlocks(block, 1);
}

void THash_Tiger::CompressBlocks(const std::uint8_t* blocks, std::size_t count) {
  CompressTigerBlocks(ChainingState, PassCount, blocks, count);
}

void CompressTigerBlocks(std::uint32_t* chaining, std::uint32_t passCount,
                         const std::uint8_t* blocks, std::size_t count) {
  if (ProcessorFeatures().bitFieldExtract) {
    CompressTigerRun<true>(chaining, passCount, blocks, count);
  } else {
    CompressTigerRun<false>(chaining, passCount, blocks, count);
  }
}

void CompressTigerPortable(std::uint32_t* chaining, std::uint32_t passCount,
                           const std::uint8_t* blocks, std::size_t count) {
  CompressTigerRun<false>(chaining, passCount, blocks, count);
}

}  // namespace velunor
