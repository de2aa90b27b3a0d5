#include "cipher/cipher_tea.h"

#include <algorithm>

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::int32_t kMaxKeySize = TCipher_TEA::kInfo.MaxKeySize;
static_assert(sizeof(TeaKeySchedule) <= TCipher_TEA::kInfo.KeyDataSize);
constexpr std::uint32_t kDelta = 0x9E3779B9;

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

std::uint32_t TCipher_TEA::Cycles() const {
  return static_cast<std::uint32_t>(std::clamp(rounds_, kMinCycles, kMaxCycles));
}

// The key words are read little-endian; missing key bytes count as zero bytes.
void TCipher_TEA::ScheduleKey(std::span<const std::uint8_t> key) {
  const TPaddedKey<kMaxKeySize> keyBytes(key);
  LoadLE(KeySchedule().keyWords, keyBytes.Bytes());
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
