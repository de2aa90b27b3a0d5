#include "cipher/cipher_idea.h"

#include <cstring>

#include "protection/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = 8;
constexpr std::int32_t kMaxKeySize = 16;
constexpr std::int32_t kKeyDataSize = 2 * 52 * 2;

// Self-test bytes: SelfTestInput enciphered in cmCTS under its own first
// 16 bytes as raw key (see cipher_selftest.h).
constexpr std::uint8_t kKnownAnswer[32] = {
    0xCF, 0x73, 0x66, 0x82, 0x7A, 0x76, 0xAE, 0x3A, 0x29, 0x01, 0x48, 0x9D, 0x3E, 0x16, 0x3D, 0x3A,
    0x40, 0xF4, 0x87, 0x57, 0xCD, 0xA3, 0xF9, 0x89, 0xF6, 0x26, 0xCA, 0x56, 0x1B, 0xD7, 0x61, 0x8A};

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

inline std::uint32_t LoadBE16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] << 8 | p[1]);
}

inline void StoreBE16(std::uint8_t* p, std::uint32_t value) {
  p[0] = static_cast<std::uint8_t>(value >> 8);
  p[1] = static_cast<std::uint8_t>(value);
}

// The 8 rounds and the output transformation on `lanes` independent blocks;
// deciphering is the same with the deciphering subkeys.
template <std::size_t lanes>
inline void CodeLanes(const std::uint16_t* z, std::uint8_t* blocks) {
  std::uint32_t x1[lanes], x2[lanes], x3[lanes], x4[lanes];
  for (std::size_t l = 0; l < lanes; ++l) {
    const std::uint8_t* block = blocks + 8 * l;
    x1[l] = LoadBE16(block);
    x2[l] = LoadBE16(block + 2);
    x3[l] = LoadBE16(block + 4);
    x4[l] = LoadBE16(block + 6);
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
    StoreBE16(block, Mul(x1[l], z[0]));
    StoreBE16(block + 2, x3[l] + z[1]);
    StoreBE16(block + 4, x2[l] + z[2]);
    StoreBE16(block + 6, Mul(x4[l], z[3]));
  }
}

void CodeBlocks(const std::uint16_t* z, std::uint8_t* blocks, std::size_t count) {
  constexpr std::size_t kLanes = 4;
  for (; count >= kLanes; count -= kLanes, blocks += 8 * kLanes)
    CodeLanes<kLanes>(z, blocks);
  for (; count > 0; --count, blocks += 8)
    CodeLanes<1>(z, blocks);
}

}  // namespace

const TCipherClass& TCipher_IDEA::Class() {
  static const TCipherClass cls("TCipher_IDEA", &TCipher::Class(),
                                TCipherInfo{kBlockSize, kMaxKeySize, kKeyDataSize}, kKnownAnswer,
                                CreateCipherObject<TCipher_IDEA>);
  return cls;
}

void TCipher_IDEA::Init(const void* key, std::int32_t keySize, const void* iv) {
  CheckKeyLength(keySize);
  std::uint8_t userKey[16] = {};
  if (keySize > 0) std::memcpy(userKey, key, static_cast<std::size_t>(keySize));

  // The subkeys are the 128-bit key taken 16 bits at a time, rotated left by
  // 25 bits after every eight subkeys.
  std::uint16_t* ek = EncipherKeys();
  for (std::size_t i = 0; i < 8; ++i)
    ek[i] = static_cast<std::uint16_t>(userKey[2 * i] << 8 | userKey[2 * i + 1]);
  for (std::size_t i = 8; i < kSubkeys; ++i) {
    const std::uint16_t* previous = ek + (i / 8 - 1) * 8;
    ek[i] = static_cast<std::uint16_t>(previous[(i + 1) % 8] << 9 | previous[(i + 2) % 8] >> 7);
  }
  SecureFill(userKey, 0, sizeof userKey);

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
  StartChain(iv);
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
