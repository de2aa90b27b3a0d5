#include "cipher/cipher_tea.h"

#include <algorithm>

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = 8;
constexpr std::int32_t kMaxKeySize = 16;
// The class reports twice the 16 bytes its schedule holds.
constexpr std::int32_t kKeyDataSize = 32;
static_assert(sizeof(TeaKeySchedule) <= kKeyDataSize);
constexpr std::uint32_t kDelta = 0x9E3779B9;

// Self-test bytes: SelfTestInput enciphered in cmCTS under its own first
// 16 bytes as raw key (see cipher_selftest.h).
constexpr std::uint8_t kKnownAnswerTEA[32] = {
    0x20, 0x4D, 0x32, 0xDD, 0x06, 0xDF, 0xF5, 0xAA, 0xF7, 0x2E, 0xC0, 0x0F, 0xC0, 0x58, 0x4D, 0xAC,
    0xBF, 0x3D, 0x5A, 0x76, 0x00, 0x43, 0xEE, 0xB0, 0xCD, 0x88, 0x2C, 0x17, 0x95, 0xC5, 0xB6, 0x9C};
constexpr std::uint8_t kKnownAnswerTEAN[32] = {
    0x81, 0xF0, 0xEE, 0xED, 0xF6, 0x8E, 0x73, 0xAC, 0x75, 0xFA, 0x6D, 0xAD, 0x41, 0x5C, 0x5D, 0x9D,
    0x79, 0x9D, 0x9F, 0x29, 0x05, 0x84, 0x9E, 0x12, 0x94, 0x1B, 0xD7, 0x9C, 0x20, 0x29, 0xAF, 0x7B};

struct Halves {
  std::uint32_t y;
  std::uint32_t z;
};

inline Halves Load(const std::uint8_t* block) {
  return LoadLEWords<Halves>(block);
}

inline void Store(std::uint8_t* block, Halves h) {
  StoreLEWords(block, h);
}

inline std::uint32_t TeaTerm(std::uint32_t x, std::uint32_t sum, std::uint32_t k1,
                             std::uint32_t k2) {
  return ((((x << 4) + k1) ^ x) + sum) ^ ((x >> 5) + k2);
}

inline std::uint32_t TeanTerm(std::uint32_t x, std::uint32_t sum, std::uint32_t k) {
  return ((x << 4) ^ (x >> 5)) + (sum ^ x) + k;
}

}  // namespace

const TCipherClass& TCipher_TEA::Class() {
  static const TCipherClass cls("TCipher_TEA", &TCipher::Class(),
                                TCipherInfo{kBlockSize, kMaxKeySize, kKeyDataSize}, kKnownAnswerTEA,
                                CreateCipherObject<TCipher_TEA>);
  return cls;
}

const TCipherClass& TCipher_TEAN::Class() {
  static const TCipherClass cls("TCipher_TEAN", &TCipher_TEA::Class(),
                                TCipherInfo{kBlockSize, kMaxKeySize, kKeyDataSize},
                                kKnownAnswerTEAN, CreateCipherObject<TCipher_TEAN>);
  return cls;
}

std::uint32_t TCipher_TEA::Cycles() const {
  return static_cast<std::uint32_t>(std::clamp(rounds_, kMinCycles, kMaxCycles));
}

// The key words are read little-endian; missing key bytes count as zero bytes.
void TCipher_TEA::Init(const void* key, std::int32_t keySize, const void* iv) {
  CheckKeyLength(keySize);
  const TPaddedKey<kMaxKeySize> keyBytes(key, keySize);
  LoadLE(KeySchedule().keyWords, keyBytes.Bytes());
  StartChain(iv);
}

void TCipher_TEA::EncipherBlock(std::uint8_t* block) {
  const std::uint32_t* k = KeyWords();
  Halves h = Load(block);
  std::uint32_t sum = 0;
  for (std::uint32_t cycle = Cycles(); cycle > 0; --cycle) {
    sum += kDelta;
    h.y += TeaTerm(h.z, sum, k[0], k[1]);
    h.z += TeaTerm(h.y, sum, k[2], k[3]);
  }
  Store(block, h);
}

void TCipher_TEA::DecipherBlock(std::uint8_t* block) {
  const std::uint32_t* k = KeyWords();
  Halves h = Load(block);
  std::uint32_t sum = Cycles() * kDelta;
  for (std::uint32_t cycle = Cycles(); cycle > 0; --cycle) {
    h.z -= TeaTerm(h.y, sum, k[2], k[3]);
    h.y -= TeaTerm(h.z, sum, k[0], k[1]);
    sum -= kDelta;
  }
  Store(block, h);
}

void TCipher_TEAN::EncipherBlock(std::uint8_t* block) {
  const std::uint32_t* k = KeyWords();
  Halves h = Load(block);
  std::uint32_t sum = 0;
  for (std::uint32_t cycle = Cycles(); cycle > 0; --cycle) {
    h.y += TeanTerm(h.z, sum, k[sum & 3]);
    sum += kDelta;
    h.z += TeanTerm(h.y, sum, k[(sum >> 11) & 3]);
  }
  Store(block, h);
}

void TCipher_TEAN::DecipherBlock(std::uint8_t* block) {
  const std::uint32_t* k = KeyWords();
  Halves h = Load(block);
  std::uint32_t sum = Cycles() * kDelta;
  for (std::uint32_t cycle = Cycles(); cycle > 0; --cycle) {
    h.z -= TeanTerm(h.y, sum, k[(sum >> 11) & 3]);
    sum -= kDelta;
    h.y -= TeanTerm(h.z, sum, k[sum & 3]);
  }
  Store(block, h);
}

}  // namespace velunor
