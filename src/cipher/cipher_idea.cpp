#include "cipher/cipher_idea.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kMaxKeySize = TCipher_IDEA::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_IDEA::kInfo.KeyDataSize;
static_assert(sizeof(IdeaKeySchedule) == kKeyDataSize);

// a * b modulo 65537 on 16-bit values, 0 standing for 65536.
inline std::uint32_t Mul(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t product = a * b;
  const std::uint32_t low = product & 0xFFFF;
  const std::uint32_t high = product >> 16;
  // 2^16 = -1 modulo 65537, so low + high * 2^16 = low - high.
  const std::uint32_t reduced = low - high + (low < high ? 1u : 0u);
  // A zero product means a or b stood for 2^16 = -1: the result is 1 - a - b.
  return (product != 0 ? reduced : 1u - a - b) & 0xFFFF;
}

// The multiplicative inverse modulo 65537 (0, standing for 65536, is its
// own inverse); x^65535 by square and multiply.
std::uint16_t MulInverse(std::uint16_t x) {
  std::uint32_t result = 1;
  std::uint32_t base = x;
  for (std::uint32_t exponent = 65535; exponent != 0; exponent >>= 1) {
    if (exponent & 1) result = Mul(result, base);
    base = Mul(base, base);
  }
  return static_cast<std::uint16_t>(result);
}

std::uint16_t AddInverse(std::uint16_t x) {
  return static_cast<std::uint16_t>(0x10000 - x);
}

// The low 16 bits of a 32-bit working value, big-endian.
inline void StoreLow16(std::uint8_t* p, std::uint32_t value) {
  StoreBE(p, static_cast<std::uint16_t>(value));
}

// The 8 rounds and the output transformation on `lanes` independent blocks;
// deciphering is the same with the deciphering subkeys.
template <std::size_t lanes>
inline void CodeLanes(const std::uint16_t* z, std::uint8_t* blocks) {
  std::uint32_t x1[lanes], x2[lanes], x3[lanes], x4[lanes];
  for (std::size_t l = 0; l < lanes; ++l) {
    const std::uint8_t* block = blocks + 8 * l;
    x1[l] = LoadBE<std::uint16_t>(block);
    x2[l] = LoadBE<std::uint16_t>(block + 2);
    x3[l] = LoadBE<std::uint16_t>(block + 4);
    x4[l] = LoadBE<std::uint16_t>(block + 6);
  }
  for (int round = 0; round < 8; ++round, z += 6) {
    for (std::size_t l = 0; l < lanes; ++l) {
      x1[l] = Mul(x1[l], z[0]);
      x2[l] = (x2[l] + z[1]) & 0xFFFF;
      x3[l] = (x3[l] + z[2]) & 0xFFFF;
      x4[l] = Mul(x4[l], z[3]);
      const std::uint32_t t0 = Mul(x1[l] ^ x3[l], z[4]);
      const std::uint32_t t1 = Mul((t0 + (x2[l] ^ x4[l])) & 0xFFFF, z[5]);
      const std::uint32_t t2 = (t0 + t1) & 0xFFFF;
      x1[l] ^= t1;
      x4[l] ^= t2;
      const std::uint32_t middle = x2[l] ^ t2;
      x2[l] = x3[l] ^ t1;
      x3[l] = middle;
    }
  }
  // The output transformation undoes the exchange of the middle words.
  for (std::size_t l = 0; l < lanes; ++l) {
    std::uint8_t* block = blocks + 8 * l;
    StoreLow16(block, Mul(x1[l], z[0]));
    StoreLow16(block + 2, x3[l] + z[1]);
    StoreLow16(block + 4, x2[l] + z[2]);
    StoreLow16(block + 6, Mul(x4[l], z[3]));
  }
}

#if defined(__SSE2__)
// Eight blocks at once in SSE2 registers: after a transposition each
// register holds one word of all eight blocks, one 16-bit lane per block.
namespace sse2 {

inline __m128i Broadcast(std::uint16_t value) {
  return _mm_set1_epi16(static_cast<short>(value));
}

// Mul in every lane: the reduction low - high (+1 on a borrow), and 1 - x - k
// where a factor is 0.
inline __m128i Mul(__m128i x, __m128i k) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi16(1);
  const __m128i low = _mm_mullo_epi16(x, k);
  const __m128i high = _mm_mulhi_epu16(x, k);
  const __m128i borrow = _mm_add_epi16(one, _mm_cmpeq_epi16(_mm_subs_epu16(high, low), zero));
  const __m128i reduced = _mm_add_epi16(_mm_sub_epi16(low, high), borrow);
  const __m128i zeroFactor = _mm_or_si128(_mm_cmpeq_epi16(x, zero), _mm_cmpeq_epi16(k, zero));
  const __m128i special = _mm_sub_epi16(_mm_sub_epi16(one, x), k);
  return _mm_or_si128(_mm_and_si128(zeroFactor, special), _mm_andnot_si128(zeroFactor, reduced));
}

inline __m128i SwapBytes(__m128i v) {
  return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
}

// Four registers of two blocks each become the four words of eight blocks.
inline void TransposeIn(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3) {
  const __m128i u0 = _mm_unpacklo_epi16(r0, r1), u1 = _mm_unpackhi_epi16(r0, r1);
  const __m128i u2 = _mm_unpacklo_epi16(r2, r3), u3 = _mm_unpackhi_epi16(r2, r3);
  const __m128i v0 = _mm_unpacklo_epi16(u0, u1), v1 = _mm_unpackhi_epi16(u0, u1);
  const __m128i v2 = _mm_unpacklo_epi16(u2, u3), v3 = _mm_unpackhi_epi16(u2, u3);
  r0 = _mm_unpacklo_epi64(v0, v2);
  r1 = _mm_unpackhi_epi64(v0, v2);
  r2 = _mm_unpacklo_epi64(v1, v3);
  r3 = _mm_unpackhi_epi64(v1, v3);
}

// The inverse of TransposeIn.
inline void TransposeOut(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3) {
  const __m128i v0 = _mm_unpacklo_epi64(r0, r1), v2 = _mm_unpackhi_epi64(r0, r1);
  const __m128i v1 = _mm_unpacklo_epi64(r2, r3), v3 = _mm_unpackhi_epi64(r2, r3);
  const __m128i w0 = _mm_unpacklo_epi16(v0, v1), w1 = _mm_unpackhi_epi16(v0, v1);
  const __m128i w2 = _mm_unpacklo_epi16(v2, v3), w3 = _mm_unpackhi_epi16(v2, v3);
  r0 = _mm_unpacklo_epi16(w0, w1);
  r1 = _mm_unpackhi_epi16(w0, w1);
  r2 = _mm_unpacklo_epi16(w2, w3);
  r3 = _mm_unpackhi_epi16(w2, w3);
}

// The same steps as CodeLanes, on eight blocks.
void CodeEightBlocks(const std::uint16_t* z, std::uint8_t* blocks) {
  auto* lanes = reinterpret_cast<__m128i*>(blocks);
  __m128i x1 = SwapBytes(_mm_loadu_si128(lanes));
  __m128i x2 = SwapBytes(_mm_loadu_si128(lanes + 1));
  __m128i x3 = SwapBytes(_mm_loadu_si128(lanes + 2));
  __m128i x4 = SwapBytes(_mm_loadu_si128(lanes + 3));
  TransposeIn(x1, x2, x3, x4);
  for (int round = 0; round < 8; ++round, z += 6) {
    x1 = Mul(x1, Broadcast(z[0]));
    x2 = _mm_add_epi16(x2, Broadcast(z[1]));
    x3 = _mm_add_epi16(x3, Broadcast(z[2]));
    x4 = Mul(x4, Broadcast(z[3]));
    const __m128i t0 = Mul(_mm_xor_si128(x1, x3), Broadcast(z[4]));
    const __m128i t1 = Mul(_mm_add_epi16(t0, _mm_xor_si128(x2, x4)), Broadcast(z[5]));
    const __m128i t2 = _mm_add_epi16(t0, t1);
    x1 = _mm_xor_si128(x1, t1);
    x4 = _mm_xor_si128(x4, t2);
    const __m128i middle = _mm_xor_si128(x2, t2);
    x2 = _mm_xor_si128(x3, t1);
    x3 = middle;
  }
  __m128i y1 = Mul(x1, Broadcast(z[0]));
  __m128i y2 = _mm_add_epi16(x3, Broadcast(z[1]));
  __m128i y3 = _mm_add_epi16(x2, Broadcast(z[2]));
  __m128i y4 = Mul(x4, Broadcast(z[3]));
  TransposeOut(y1, y2, y3, y4);
  _mm_storeu_si128(lanes, SwapBytes(y1));
  _mm_storeu_si128(lanes + 1, SwapBytes(y2));
  _mm_storeu_si128(lanes + 2, SwapBytes(y3));
  _mm_storeu_si128(lanes + 3, SwapBytes(y4));
}

}  // namespace sse2
#endif

void CodeBlocks(const std::uint16_t* z, std::uint8_t* blocks, std::size_t count) {
#if defined(__SSE2__)
  for (; count >= 8; count -= 8, blocks += 64)
    sse2::CodeEightBlocks(z, blocks);
#endif
  constexpr std::size_t kLanes = 4;
  for (; count >= kLanes; count -= kLanes, blocks += 8 * kLanes)
    CodeLanes<kLanes>(z, blocks);
  for (; count > 0; --count, blocks += 8)
    CodeLanes<1>(z, blocks);
}

}  // namespace

void TCipher_IDEA::ScheduleKey(std::span<const std::uint8_t> key) {
  const TPaddedKey<kMaxKeySize> userKey(key);

  // The subkeys are the 128-bit key taken 16 bits at a time, rotated left by
  // 25 bits after every eight subkeys.
  std::uint16_t* ek = EncipherKeys();
  for (std::size_t i = 0; i < 8; ++i)
    ek[i] = LoadBE<std::uint16_t>(userKey.Bytes() + 2 * i);
  for (std::size_t i = 8; i < kSubkeys; ++i) {
    const std::uint16_t* previous = ek + (i / 8 - 1) * 8;
    ek[i] = static_cast<std::uint16_t>(previous[(i + 1) % 8] << 9 | previous[(i + 2) % 8] >> 7);
  }

  // Deciphering round r undoes enciphering round 8 - r: inverted
  // multiplication and addition keys, the addition keys exchanged except in
  // the first and the last step, and the MA-structure keys of the round before.
  std::uint16_t* dk = DecipherKeys();
  for (std::size_t r = 0; r <= 8; ++r) {
    const std::uint16_t* e = ek + 48 - 6 * r;
    const bool swapAdditions = r != 0 && r != 8;
    dk[6 * r] = MulInverse(e[0]);
    dk[6 * r + 1] = AddInverse(e[swapAdditions ? 2 : 1]);
    dk[6 * r + 2] = AddInverse(e[swapAdditions ? 1 : 2]);
    dk[6 * r + 3] = MulInverse(e[3]);
    if (r < 8) {
      dk[6 * r + 4] = e[-2];
      dk[6 * r + 5] = e[-1];
    }
  }
}

void TCipher_IDEA::EncipherBlock(std::uint8_t* block) {
  CodeLanes<1>(EncipherKeys(), block);
}

void TCipher_IDEA::DecipherBlock(std::uint8_t* block) {
  CodeLanes<1>(DecipherKeys(), block);
}

void TCipher_IDEA::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks(EncipherKeys(), blocks, count);
}

void TCipher_IDEA::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks(DecipherKeys(), blocks, count);
}

}  // namespace velunor
