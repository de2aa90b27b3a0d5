#include "protection/hex_kernels.h"

#include "protection/kernel_choice.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VELUNOR_HEX_X86 1
#endif

namespace velunor {

namespace {

int NibbleValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void EncodePortable(const std::uint8_t* data, std::size_t size, const char* digits,
                    std::uint8_t* text) {
  for (std::size_t i = 0; i < size; ++i) {
    text[2 * i] = static_cast<std::uint8_t>(digits[data[i] >> 4]);
    text[2 * i + 1] = static_cast<std::uint8_t>(digits[data[i] & 0x0F]);
  }
}

std::size_t DecodePortable(const std::uint8_t* text, std::size_t pairs, std::uint8_t* data) {
  for (std::size_t i = 0; i < pairs; ++i) {
    const int high = NibbleValue(text[2 * i]);
    const int low = NibbleValue(text[2 * i + 1]);
    if ((high | low) < 0) return i;
    data[i] = static_cast<std::uint8_t>(high << 4 | low);
  }
  return pairs;
}

#ifdef VELUNOR_HEX_X86

__attribute__((target("ssse3"))) void EncodeSsse3(const std::uint8_t* data, std::size_t size,
                                                  const char* digits, std::uint8_t* text) {
  const __m128i table = _mm_loadu_si128(reinterpret_cast<const __m128i*>(digits));
  const __m128i nibble = _mm_set1_epi8(0x0F);
  for (; size >= 16; size -= 16, data += 16, text += 32) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    const __m128i high = _mm_shuffle_epi8(table, _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble));
    const __m128i low = _mm_shuffle_epi8(table, _mm_and_si128(bytes, nibble));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(text), _mm_unpacklo_epi8(high, low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(text + 16), _mm_unpackhi_epi8(high, low));
  }
  EncodePortable(data, size, digits, text);
}

__attribute__((target("ssse3"))) inline __m128i InRange(__m128i c, char first, char last) {
  return _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(static_cast<char>(first - 1))),
                       _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(last + 1)), c));
}

__attribute__((target("ssse3"))) std::size_t DecodeSsse3(const std::uint8_t* text,
                                                         std::size_t pairs, std::uint8_t* data) {
  const std::size_t all = pairs;
  for (; pairs >= 8; pairs -= 8, text += 16, data += 8) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i folded = _mm_or_si128(c, _mm_set1_epi8(0x20));  // letters in lower case
    const __m128i digit = InRange(c, '0', '9');
    const __m128i letter = InRange(folded, 'a', 'f');
    if (_mm_movemask_epi8(_mm_or_si128(digit, letter)) != 0xFFFF) break;
    const __m128i values =
        _mm_or_si128(_mm_and_si128(digit, _mm_sub_epi8(c, _mm_set1_epi8('0'))),
                     _mm_andnot_si128(digit, _mm_sub_epi8(folded, _mm_set1_epi8('a' - 10))));
    const __m128i bytes = _mm_maddubs_epi16(values, _mm_set1_epi16(0x0110));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(data), _mm_packus_epi16(bytes, bytes));
  }
  return all - pairs + DecodePortable(text, pairs, data);
}

__attribute__((target("avx2"))) void EncodeAvx2(const std::uint8_t* data, std::size_t size,
                                                const char* digits, std::uint8_t* text) {
  const __m256i table =
      _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(digits)));
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  for (; size >= 32; size -= 32, data += 32, text += 64) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data));
    const __m256i high =
        _mm256_shuffle_epi8(table, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
    const __m256i low = _mm256_shuffle_epi8(table, _mm256_and_si256(bytes, nibble));
    const __m256i first = _mm256_unpacklo_epi8(high, low);   // bytes 0-7 and 16-23
    const __m256i second = _mm256_unpackhi_epi8(high, low);  // bytes 8-15 and 24-31
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(text),
                        _mm256_permute2x128_si256(first, second, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(text + 32),
                        _mm256_permute2x128_si256(first, second, 0x31));
  }
  EncodeSsse3(data, size, digits, text);
}

__attribute__((target("avx2"))) inline __m256i InRange(__m256i c, char first, char last) {
  return _mm256_and_si256(_mm256_cmpgt_epi8(c, _mm256_set1_epi8(static_cast<char>(first - 1))),
                          _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(last + 1)), c));
}

__attribute__((target("avx2"))) std::size_t DecodeAvx2(const std::uint8_t* text, std::size_t pairs,
                                                       std::uint8_t* data) {
  const std::size_t all = pairs;
  for (; pairs >= 16; pairs -= 16, text += 32, data += 16) {
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text));
    const __m256i folded = _mm256_or_si256(c, _mm256_set1_epi8(0x20));
    const __m256i digit = InRange(c, '0', '9');
    const __m256i letter = InRange(folded, 'a', 'f');
    if (_mm256_movemask_epi8(_mm256_or_si256(digit, letter)) != -1) break;
    const __m256i values = _mm256_blendv_epi8(_mm256_sub_epi8(folded, _mm256_set1_epi8('a' - 10)),
                                              _mm256_sub_epi8(c, _mm256_set1_epi8('0')), digit);
    const __m256i bytes = _mm256_maddubs_epi16(values, _mm256_set1_epi16(0x0110));
    const __m256i packed = _mm256_packus_epi16(bytes, bytes);  // each lane: its 8 bytes twice
    _mm_storeu_si128(reinterpret_cast<__m128i*>(data),
                     _mm256_castsi256_si128(_mm256_permute4x64_epi64(packed, 0x08)));
  }
  return all - pairs + DecodeSsse3(text, pairs, data);
}

#endif

// The sets of loops, best first.
constexpr KernelOption<HexKernels> kHexOptions[] = {
#ifdef VELUNOR_HEX_X86
    {&TProcessorFeatures::avx2, {"avx2", EncodeAvx2, DecodeAvx2}},
    {&TProcessorFeatures::ssse3, {"ssse3", EncodeSsse3, DecodeSsse3}},
#endif
    {nullptr, {"portable", EncodePortable, DecodePortable}},
};

}  // namespace

std::vector<HexKernels> RunnableHexKernels() {
  return RunnableKernels(kHexOptions);
}

const HexKernels& ChosenHexKernels() {
  return ChosenKernels<kHexOptions>();
}

}  // namespace velunor
