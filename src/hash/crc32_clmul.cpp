#include "hash/crc32_clmul.h"

#include "hash/crc_slicing.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace velunor {

#if defined(__x86_64__) || defined(__i386__)

namespace {

// x^n mod P for the CRC-32 polynomial P (04C11DB7 hex with its x^32 term),
// as a 64-bit multiplier in the reflected order: the coefficient of x^d in
// bit 63 - d.
constexpr std::uint64_t ReflectedPowerOfX(unsigned n) {
  std::uint64_t remainder = 1;
  for (unsigned i = 0; i < n; ++i) {
    remainder <<= 1;
    if ((remainder >> 32) != 0) remainder ^= 0x104C11DB7ull;
  }
  std::uint64_t reflected = 0;
  for (unsigned d = 0; d < 32; ++d) {
    if ((remainder >> d) & 1u) reflected |= std::uint64_t{1} << (63 - d);
  }
  return reflected;
}

// A 16-byte lane, loaded little-endian, holds a polynomial of degree below
// 128 with its highest coefficient in bit 0: the low half H carries the
// coefficients x^127..x^64, the high half L x^63..x^0. Moving the lane
// `distance` bits further along the message multiplies it by x^distance:
// H * x^(64 + distance) + L * x^distance, each reduced mod P to below 96
// degrees. A carry-less product of two reflected 64-bit halves comes out one
// degree low, so the multipliers are taken one power below.
template <unsigned kDistance>
__attribute__((target("pclmul,sse4.1"))) inline __m128i FoldMultipliers() {
  constexpr std::uint64_t kForHigh = ReflectedPowerOfX(kDistance + 63);
  constexpr std::uint64_t kForLow = ReflectedPowerOfX(kDistance - 1);
  return _mm_set_epi64x(static_cast<long long>(kForLow), static_cast<long long>(kForHigh));
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i lane, __m128i multipliers,
                                                             __m128i next) {
  const __m128i high = _mm_clmulepi64_si128(lane, multipliers, 0x00);
  const __m128i low = _mm_clmulepi64_si128(lane, multipliers, 0x11);
  return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Load(const std::uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

}  // namespace

// Four lanes run 64 bytes apart until fewer than 64 bytes are left; they are
// then folded into one lane, which takes the remaining whole lanes. The last
// lane stands for a 16-byte message whose CRC from a zero register is the
// CRC of everything so far; the tables finish it and the tail.
__attribute__((target("pclmul,sse4.1"))) std::uint32_t UpdateCrc32Clmul(std::uint32_t crc,
                                                                        const std::uint8_t* data,
                                                                        std::size_t size) {
  if (size < 64) return UpdateCrc32Sliced(crc, data, size);
  const __m128i by64 = FoldMultipliers<512>();
  const __m128i by16 = FoldMultipliers<128>();
  __m128i lane0 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i lane1 = Load(data + 16);
  __m128i lane2 = Load(data + 32);
  __m128i lane3 = Load(data + 48);
  data += 64;
  size -= 64;
  for (; size >= 64; size -= 64, data += 64) {
    lane0 = Fold(lane0, by64, Load(data));
    lane1 = Fold(lane1, by64, Load(data + 16));
    lane2 = Fold(lane2, by64, Load(data + 32));
    lane3 = Fold(lane3, by64, Load(data + 48));
  }
  __m128i lane = Fold(lane0, by16, lane1);
  lane = Fold(lane, by16, lane2);
  lane = Fold(lane, by16, lane3);
  for (; size >= 16; size -= 16, data += 16)
    lane = Fold(lane, by16, Load(data));
  alignas(16) std::uint8_t folded[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(folded), lane);
  return UpdateCrc32Sliced(UpdateCrc32Sliced(0, folded, sizeof folded), data, size);
}

#else

std::uint32_t UpdateCrc32Clmul(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  return UpdateCrc32Sliced(crc, data, size);
}

#endif

std::uint32_t UpdateCrc32Fast(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  if (size >= 64 && ProcessorFeatures().carrylessMultiply) return UpdateCrc32Clmul(crc, data, size);
  return UpdateCrc32Sliced(crc, data, size);
}

}  // namespace velunor
