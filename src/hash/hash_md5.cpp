#include "hash/hash_md5.h"

#include <cstring>

#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The four round functions. F is the bitwise selection "x ? y : z" with one
// operation less than the textbook form; G = "z ? x : y" adds its two
// disjoint halves, so the half without x, the newest register, is ready early.
inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return ((y ^ z) & x) ^ z;
}
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (y & ~z) + (x & z);
}
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (y ^ z) ^ x;
}
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return y ^ (x | ~z);
}

}  // namespace

namespace {

// The published MD5 compression (RFC 1321) on the four chaining words at `h`.
// A step computes A = B + ((A + f(B, C, D) + X + T) <<< s), summing the terms
// without f first; the register roles move on by one from step to step,
// written as a rotation of the names.
inline void CompressMd5(std::uint32_t* h, const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3];

#define VELUNOR_MD5_STEP(f, a, b, c, d, x, s, t) a = b + RotateLeft32(a + (x) + (t) + f(b, c, d), s)

  // Round 1: function F.
  VELUNOR_MD5_STEP(F, a, b, c, d, x[0], 7, 0xD76AA478);
  VELUNOR_MD5_STEP(F, d, a, b, c, x[1], 12, 0xE8C7B756);
  VELUNOR_MD5_STEP(F, c, d, a, b, x[2], 17, 0x242070DB);
  VELUNOR_MD5_STEP(F, b, c, d, a, x[3], 22, 0xC1BDCEEE);
  VELUNOR_MD5_STEP(F, a, b, c, d, x[4], 7, 0xF57C0FAF);
  VELUNOR_MD5_STEP(F, d, a, b, c, x[5], 12, 0x4787C62A);
  VELUNOR_MD5_STEP(F, c, d, a, b, x[6], 17, 0xA8304613);
  VELUNOR_MD5_STEP(F, b, c, d, a, x[7], 22, 0xFD469501);
  VELUNOR_MD5_STEP(F, a, b, c, d, x[8], 7, 0x698098D8);
  VELUNOR_MD5_STEP(F, d, a, b, c, x[9], 12, 0x8B44F7AF);
  VELUNOR_MD5_STEP(F, c, d, a, b, x[10], 17, 0xFFFF5BB1);
  VELUNOR_MD5_STEP(F, b, c, d, a, x[11], 22, 0x895CD7BE);
  VELUNOR_MD5_STEP(F, a, b, c, d, x[12], 7, 0x6B901122);
  VELUNOR_MD5_STEP(F, d, a, b, c, x[13], 12, 0xFD987193);
  VELUNOR_MD5_STEP(F, c, d, a, b, x[14], 17, 0xA679438E);
  VELUNOR_MD5_STEP(F, b, c, d, a, x[15], 22, 0x49B40821);

  // Round 2: function G.
  VELUNOR_MD5_STEP(G, a, b, c, d, x[1], 5, 0xF61E2562);
  VELUNOR_MD5_STEP(G, d, a, b, c, x[6], 9, 0xC040B340);
  VELUNOR_MD5_STEP(G, c, d, a, b, x[11], 14, 0x265E5A51);
  VELUNOR_MD5_STEP(G, b, c, d, a, x[0], 20, 0xE9B6C7AA);
  VELUNOR_MD5_STEP(G, a, b, c, d, x[5], 5, 0xD62F105D);
  VELUNOR_MD5_STEP(G, d, a, b, c, x[10], 9, 0x02441453);
  VELUNOR_MD5_STEP(G, c, d, a, b, x[15], 14, 0xD8A1E681);
  VELUNOR_MD5_STEP(G, b, c, d, a, x[4], 20, 0xE7D3FBC8);
  VELUNOR_MD5_STEP(G, a, b, c, d, x[9], 5, 0x21E1CDE6);
  VELUNOR_MD5_STEP(G, d, a, b, c, x[14], 9, 0xC33707D6);
  VELUNOR_MD5_STEP(G, c, d, a, b, x[3], 14, 0xF4D50D87);
  VELUNOR_MD5_STEP(G, b, c, d, a, x[8], 20, 0x455A14ED);
  VELUNOR_MD5_STEP(G, a, b, c, d, x[13], 5, 0xA9E3E905);
  VELUNOR_MD5_STEP(G, d, a, b, c, x[2], 9, 0xFCEFA3F8);
  VELUNOR_MD5_STEP(G, c, d, a, b, x[7], 14, 0x676F02D9);
  VELUNOR_MD5_STEP(G, b, c, d, a, x[12], 20, 0x8D2A4C8A);

  // Round 3: function H.
  VELUNOR_MD5_STEP(H, a, b, c, d, x[5], 4, 0xFFFA3942);
  VELUNOR_MD5_STEP(H, d, a, b, c, x[8], 11, 0x8771F681);
  VELUNOR_MD5_STEP(H, c, d, a, b, x[11], 16, 0x6D9D6122);
  VELUNOR_MD5_STEP(H, b, c, d, a, x[14], 23, 0xFDE5380C);
  VELUNOR_MD5_STEP(H, a, b, c, d, x[1], 4, 0xA4BEEA44);
  VELUNOR_MD5_STEP(H, d, a, b, c, x[4], 11, 0x4BDECFA9);
  VELUNOR_MD5_STEP(H, c, d, a, b, x[7], 16, 0xF6BB4B60);
  VELUNOR_MD5_STEP(H, b, c, d, a, x[10], 23, 0xBEBFBC70);
  VELUNOR_MD5_STEP(H, a, b, c, d, x[13], 4, 0x289B7EC6);
  VELUNOR_MD5_STEP(H, d, a, b, c, x[0], 11, 0xEAA127FA);
  VELUNOR_MD5_STEP(H, c, d, a, b, x[3], 16, 0xD4EF3085);
  VELUNOR_MD5_STEP(H, b, c, d, a, x[6], 23, 0x04881D05);
  VELUNOR_MD5_STEP(H, a, b, c, d, x[9], 4, 0xD9D4D039);
  VELUNOR_MD5_STEP(H, d, a, b, c, x[12], 11, 0xE6DB99E5);
  VELUNOR_MD5_STEP(H, c, d, a, b, x[15], 16, 0x1FA27CF8);
  VELUNOR_MD5_STEP(H, b, c, d, a, x[2], 23, 0xC4AC5665);

  // Round 4: function I.
  VELUNOR_MD5_STEP(I, a, b, c, d, x[0], 6, 0xF4292244);
  VELUNOR_MD5_STEP(I, d, a, b, c, x[7], 10, 0x432AFF97);
  VELUNOR_MD5_STEP(I, c, d, a, b, x[14], 15, 0xAB9423A7);
  VELUNOR_MD5_STEP(I, b, c, d, a, x[5], 21, 0xFC93A039);
  VELUNOR_MD5_STEP(I, a, b, c, d, x[12], 6, 0x655B59C3);
  VELUNOR_MD5_STEP(I, d, a, b, c, x[3], 10, 0x8F0CCC92);
  VELUNOR_MD5_STEP(I, c, d, a, b, x[10], 15, 0xFFEFF47D);
  VELUNOR_MD5_STEP(I, b, c, d, a, x[1], 21, 0x85845DD1);
  VELUNOR_MD5_STEP(I, a, b, c, d, x[8], 6, 0x6FA87E4F);
  VELUNOR_MD5_STEP(I, d, a, b, c, x[15], 10, 0xFE2CE6E0);
  VELUNOR_MD5_STEP(I, c, d, a, b, x[6], 15, 0xA3014314);
  VELUNOR_MD5_STEP(I, b, c, d, a, x[13], 21, 0x4E0811A1);
  VELUNOR_MD5_STEP(I, a, b, c, d, x[4], 6, 0xF7537E82);
  VELUNOR_MD5_STEP(I, d, a, b, c, x[11], 10, 0xBD3AF235);
  VELUNOR_MD5_STEP(I, c, d, a, b, x[2], 15, 0x2AD7D2BB);
  VELUNOR_MD5_STEP(I, b, c, d, a, x[9], 21, 0xEB86D391);

#undef VELUNOR_MD5_STEP

  h[0] += a;
  h[1] += b;
  h[2] += c;
  h[3] += d;
}

}  // namespace

void THash_MD5::CompressBlock(const std::uint8_t* block) {
  CompressMd5(ChainingState, block);
}

// Runs keep the chaining words in registers from block to block.
void THash_MD5::CompressBlocks(const std::uint8_t* blocks, std::size_t count) {
  std::uint32_t h[4];
  std::memcpy(h, ChainingState, sizeof h);
  for (; count > 0; --count, blocks += kBlockSize)
    CompressMd5(h, blocks);
  std::memcpy(ChainingState, h, sizeof h);
}

}  // namespace velunor
