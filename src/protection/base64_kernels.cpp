#include "protection/base64_kernels.h"

#include "protection/kernel_choice.h"

#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace velunor {

namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each digit; -1 for every other character, so that an OR of
// four values is negative exactly when the group holds a non-digit.
constexpr std::array<std::int32_t, 256> MakeValues() {
  std::array<std::int32_t, 256> values{};
  values.fill(-1);
  for (std::int32_t i = 0; i < 64; ++i)
    values[static_cast<std::uint8_t>(kDigits[i])] = i;
  return values;
}

constexpr auto kValues = MakeValues();

void EncodePortable(const std::uint8_t* data, std::size_t groups, std::uint8_t* text) {
  for (std::size_t g = 0; g < groups; ++g, data += 3, text += 4) {
    const std::uint32_t value = static_cast<std::uint32_t>(data[0]) << 16 |
                                static_cast<std::uint32_t>(data[1]) << 8 | data[2];
    text[0] = static_cast<std::uint8_t>(kDigits[value >> 18]);
    text[1] = static_cast<std::uint8_t>(kDigits[(value >> 12) & 63]);
    text[2] = static_cast<std::uint8_t>(kDigits[(value >> 6) & 63]);
    text[3] = static_cast<std::uint8_t>(kDigits[value & 63]);
  }
}

std::size_t DecodePortable(const std::uint8_t* text, std::size_t groups, std::uint8_t* data) {
  for (std::size_t g = 0; g < groups; ++g, text += 4, data += 3) {
    const std::int32_t a = kValues[text[0]];
    const std::int32_t b = kValues[text[1]];
    const std::int32_t c = kValues[text[2]];
    const std::int32_t d = kValues[text[3]];
    if ((a | b | c | d) < 0) return g;
    const auto value = static_cast<std::uint32_t>(a << 18 | b << 12 | c << 6 | d);
    data[0] = static_cast<std::uint8_t>(value >> 16);
    data[1] = static_cast<std::uint8_t>(value >> 8);
    data[2] = static_cast<std::uint8_t>(value);
  }
  return groups;
}

#if defined(__x86_64__) || defined(__i386__)
#define VELUNOR_BASE64_X86 1

// Splits each group of three bytes into four 6-bit values, one per byte.
__attribute__((target("ssse3"))) __m128i SplitGroups(__m128i bytes) {
  const __m128i in =
      _mm_shuffle_epi8(bytes, _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
  const __m128i high =
      _mm_mulhi_epu16(_mm_and_si128(in, _mm_set1_epi32(0x0FC0FC00)), _mm_set1_epi32(0x04000040));
  const __m128i low =
      _mm_mullo_epi16(_mm_and_si128(in, _mm_set1_epi32(0x003F03F0)), _mm_set1_epi32(0x01000010));
  return _mm_or_si128(high, low);
}

// 6-bit values to digits: the value's range (A-Z, a-z, 0-9, "+", "/") picks
// the offset to add.
__attribute__((target("ssse3"))) __m128i ToDigits(__m128i values) {
  const __m128i offsets =
      _mm_setr_epi8(65, 71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 0, 0);
  __m128i range = _mm_subs_epu8(values, _mm_set1_epi8(51));
  range = _mm_sub_epi8(range, _mm_cmpgt_epi8(values, _mm_set1_epi8(25)));
  return _mm_add_epi8(values, _mm_shuffle_epi8(offsets, range));
}

__attribute__((target("ssse3"))) inline __m128i InRange(__m128i c, char first, char last) {
  return _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(static_cast<char>(first - 1))),
                       _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(last + 1)), c));
}

// Digits to 6-bit values; `valid` gets a set byte for every digit.
__attribute__((target("ssse3"))) __m128i FromDigits(__m128i c, __m128i& valid) {
  const __m128i upper = InRange(c, 'A', 'Z');
  const __m128i lower = InRange(c, 'a', 'z');
  const __m128i digit = InRange(c, '0', '9');
  const __m128i plus = _mm_cmpeq_epi8(c, _mm_set1_epi8('+'));
  const __m128i slash = _mm_cmpeq_epi8(c, _mm_set1_epi8('/'));
  valid = _mm_or_si128(_mm_or_si128(_mm_or_si128(upper, lower), _mm_or_si128(digit, plus)), slash);
  const __m128i offset =
      _mm_or_si128(_mm_or_si128(_mm_and_si128(upper, _mm_set1_epi8(-65)),
                                _mm_and_si128(lower, _mm_set1_epi8(-71))),
                   _mm_or_si128(_mm_or_si128(_mm_and_si128(digit, _mm_set1_epi8(4)),
                                             _mm_and_si128(plus, _mm_set1_epi8(19))),
                                _mm_and_si128(slash, _mm_set1_epi8(16))));
  return _mm_add_epi8(c, offset);
}

// Four 6-bit values per 32 bits back to three bytes, packed at the start.
__attribute__((target("ssse3"))) __m128i JoinGroups(__m128i values) {
  const __m128i pairs = _mm_maddubs_epi16(values, _mm_set1_epi32(0x01400140));
  const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
  return _mm_shuffle_epi8(groups,
                          _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

__attribute__((target("ssse3"))) void EncodeSsse3(const std::uint8_t* data, std::size_t groups,
                                                  std::uint8_t* text) {
  // Each step reads 16 bytes and uses 12, so it stops a little early.
  for (; groups >= 6; groups -= 4, data += 12, text += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(text), ToDigits(SplitGroups(bytes)));
  }
  EncodePortable(data, groups, text);
}

__attribute__((target("ssse3"))) std::size_t DecodeSsse3(const std::uint8_t* text,
                                                         std::size_t groups, std::uint8_t* data) {
  const std::size_t all = groups;
  for (; groups >= 4; groups -= 4, text += 16, data += 12) {
    __m128i valid;
    const __m128i values =
        FromDigits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text)), valid);
    if (_mm_movemask_epi8(valid) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(data), JoinGroups(values));
  }
  return all - groups + DecodePortable(text, groups, data);
}

__attribute__((target("avx2"))) void EncodeAvx2(const std::uint8_t* data, std::size_t groups,
                                                std::uint8_t* text) {
  const __m256i order = _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10, 1, 0, 2,
                                         1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
  const __m256i offsets =
      _mm256_setr_epi8(65, 71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 0, 0, 65, 71, -4,
                       -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 0, 0);
  // Each step reads 12 bytes into each lane (28 in all) and uses 24.
  for (; groups >= 10; groups -= 8, data += 24, text += 32) {
    const __m256i bytes = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 12)), 1);
    const __m256i in = _mm256_shuffle_epi8(bytes, order);
    const __m256i values =
        _mm256_or_si256(_mm256_mulhi_epu16(_mm256_and_si256(in, _mm256_set1_epi32(0x0FC0FC00)),
                                           _mm256_set1_epi32(0x04000040)),
                        _mm256_mullo_epi16(_mm256_and_si256(in, _mm256_set1_epi32(0x003F03F0)),
                                           _mm256_set1_epi32(0x01000010)));
    __m256i range = _mm256_subs_epu8(values, _mm256_set1_epi8(51));
    range = _mm256_sub_epi8(range, _mm256_cmpgt_epi8(values, _mm256_set1_epi8(25)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(text),
                        _mm256_add_epi8(values, _mm256_shuffle_epi8(offsets, range)));
  }
  EncodeSsse3(data, groups, text);
}

__attribute__((target("avx2"))) inline __m256i InRange(__m256i c, char first, char last) {
  return _mm256_and_si256(_mm256_cmpgt_epi8(c, _mm256_set1_epi8(static_cast<char>(first - 1))),
                          _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(last + 1)), c));
}

__attribute__((target("avx2"))) std::size_t DecodeAvx2(const std::uint8_t* text, std::size_t groups,
                                                       std::uint8_t* data) {
  const std::size_t all = groups;

  for (; groups >= 8; groups -= 8, text += 32, data += 24) {
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text));
    const __m256i upper = InRange(c, 'A', 'Z');
    const __m256i lower = InRange(c, 'a', 'z');
    const __m256i digit = InRange(c, '0', '9');
    const __m256i plus = _mm256_cmpeq_epi8(c, _mm256_set1_epi8('+'));
    const __m256i slash = _mm256_cmpeq_epi8(c, _mm256_set1_epi8('/'));
    const __m256i valid = _mm256_or_si256(
        _mm256_or_si256(_mm256_or_si256(upper, lower), _mm256_or_si256(digit, plus)), slash);
    if (_mm256_movemask_epi8(valid) != -1) break;
    const __m256i offset = _mm256_or_si256(
        _mm256_or_si256(_mm256_and_si256(upper, _mm256_set1_epi8(-65)),
                        _mm256_and_si256(lower, _mm256_set1_epi8(-71))),
        _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(digit, _mm256_set1_epi8(4)),
                                        _mm256_and_si256(plus, _mm256_set1_epi8(19))),
                        _mm256_and_si256(slash, _mm256_set1_epi8(16))));
    const __m256i values = _mm256_add_epi8(c, offset);
    const __m256i pairs = _mm256_maddubs_epi16(values, _mm256_set1_epi32(0x01400140));
    const __m256i joined = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
    const __m256i packed = _mm256_shuffle_epi8(
        joined, _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, 2, 1, 0, 6,
                                 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
    _mm256_storeu_si256(
        reinterpret_cast<__m256i*>(data),
        _mm256_permutevar8x32_epi32(packed, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7)));
  }
  return all - groups + DecodeSsse3(text, groups, data);
}

#endif

// The sets of loops, best first.
constexpr KernelOption<Base64Kernels> kBase64Options[] = {
#ifdef VELUNOR_BASE64_X86
    {&TProcessorFeatures::avx2, {"avx2", EncodeAvx2, DecodeAvx2}},
    {&TProcessorFeatures::ssse3, {"ssse3", EncodeSsse3, DecodeSsse3}},
#endif
    {nullptr, {"portable", EncodePortable, DecodePortable}},
};

}  // namespace

std::vector<Base64Kernels> RunnableBase64Kernels() {
  return RunnableKernels(kBase64Options);
}

const Base64Kernels& ChosenBase64Kernels() {
  return ChosenKernels<kBase64Options>();
}

void EncodeBase64Groups(const std::uint8_t* data, std::size_t groups, std::uint8_t* text) {
  ChosenBase64Kernels().encode(data, groups, text);
}

std::size_t DecodeBase64Groups(const std::uint8_t* text, std::size_t groups, std::uint8_t* data) {
  return ChosenBase64Kernels().decode(text, groups, data);
}

}  // namespace velunor
