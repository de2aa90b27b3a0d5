#include "hash/hash_tiger.h"

#include <cstring>

#include "hash/tiger_sboxes.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[24] = {0x58, 0x78, 0x75, 0x23, 0xE0, 0x9A, 0x90, 0x84,
                                           0xD8, 0xE3, 0x62, 0x96, 0x68, 0x95, 0xE0, 0xEF,
                                           0x9E, 0x62, 0x1B, 0x4F, 0xBC, 0x4A, 0x44, 0xCA};

constexpr std::uint64_t kInitialChaining[3] = {0x0123456789ABCDEF, 0xFEDCBA9876543210,
                                               0xF096A5B4C3B2E187};

constexpr std::uint32_t kStandardPassCount = 3;
constexpr std::uint32_t kMaxPassCount = 32;

inline std::size_t ByteOf(std::uint64_t value, int index) {
  return static_cast<std::size_t>((value >> (8 * index)) & 0xFF);
}

// One round: the message word enters c; the even bytes of c, looked up in the
// S-boxes, are subtracted from a, the odd bytes added to b, and b is
// multiplied by the pass's multiplier (a constant, so a shift and an add).
template <std::uint64_t kMultiplier>
inline void Round(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c, std::uint64_t x) {
  const auto& t = TigerSBoxes;
  c ^= x;
  a -= t[0][ByteOf(c, 0)] ^ t[1][ByteOf(c, 2)] ^ t[2][ByteOf(c, 4)] ^ t[3][ByteOf(c, 6)];
  b += t[3][ByteOf(c, 1)] ^ t[2][ByteOf(c, 3)] ^ t[1][ByteOf(c, 5)] ^ t[0][ByteOf(c, 7)];
  b *= kMultiplier;
}

// Eight rounds, one per message word, the registers changing roles each time.
template <std::uint64_t kMultiplier>
inline void Pass(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c, const std::uint64_t* x) {
  Round<kMultiplier>(a, b, c, x[0]);
  Round<kMultiplier>(b, c, a, x[1]);
  Round<kMultiplier>(c, a, b, x[2]);
  Round<kMultiplier>(a, b, c, x[3]);
  Round<kMultiplier>(b, c, a, x[4]);
  Round<kMultiplier>(c, a, b, x[5]);
  Round<kMultiplier>(a, b, c, x[6]);
  Round<kMultiplier>(b, c, a, x[7]);
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

const THashClass& THash_Tiger::Class() {
  static const THashClass cls("THash_Tiger", &THash_MD4::Class(), 24, kKnownAnswer,
                              CreateHashObject<THash_Tiger>);
  return cls;
}

void THash_Tiger::Init() {
  ResetBlockState();
  if (PassCount < kStandardPassCount || PassCount > kMaxPassCount) PassCount = kStandardPassCount;
  std::memcpy(ChainingState, kInitialChaining, sizeof kInitialChaining);
  RunChainHook(ChainHookPoint::kInit);
}

void THash_Tiger::Finish() {
  PadAndCompress(0x01, false);
  RunChainHook(ChainHookPoint::kFinish);
}

// The published Tiger compression: passes with the multipliers 5, 7 and 9
// (9 for every further pass), the key schedule between passes, and the
// feed-forward of the saved chaining value by XOR, subtraction and addition.
void THash_Tiger::CompressBlock(const std::uint8_t* block) {
  std::uint64_t x[8];
  std::memcpy(x, block, sizeof x);  // little-endian message words
  std::uint64_t saved[3];
  std::memcpy(saved, ChainingState, sizeof saved);
  std::uint64_t a = saved[0], b = saved[1], c = saved[2];

  Pass<5>(a, b, c, x);
  KeySchedule(x);
  Pass<7>(c, a, b, x);
  KeySchedule(x);
  Pass<9>(b, c, a, x);
  for (std::uint32_t pass = kStandardPassCount; pass < PassCount; ++pass) {
    KeySchedule(x);
    Pass<9>(a, b, c, x);
    // The roles move on as they did from pass to pass above.
    const std::uint64_t previousA = a;
    a = c;
    c = b;
    b = previousA;
  }

  const std::uint64_t next[3] = {a ^ saved[0], b - saved[1], c + saved[2]};
  std::memcpy(ChainingState, next, sizeof next);
}

}  // namespace velunor
