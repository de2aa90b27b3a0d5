#include "cipher/cipher_scop.h"

#include <algorithm>
#include <cstring>

#include "cipher/cipher_errors.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = TCipher_SCOP::kInfo.BlockSize;
constexpr std::int32_t kMaxKeySize = TCipher_SCOP::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_SCOP::kInfo.KeyDataSize;
static_assert(sizeof(ScopKeySchedule) == kKeyDataSize);

constexpr std::size_t kBlockWords = kBlockSize / 4;
// The generator table: 128 words that stay as the key set them, then 256 that change.
constexpr std::size_t kStaticWords = 128;

// The key expansion's generator GP8: eight polynomials
// a x^4 + b x^3 + c x^2 + d x + 1 over 16-bit arguments, modulo 2^32, each
// call giving four words of output.
class PolynomialGenerator {
 public:
  // coefficients: 32 bytes, four per polynomial; state: 16 bytes, four little-endian words.
  PolynomialGenerator(const std::uint8_t* coefficients, const std::uint8_t* state) {
    std::memcpy(coef_, coefficients, sizeof coef_);
    LoadLE(x_, state);
  }
  ~PolynomialGenerator() {
    SecureFill(coef_, 0, sizeof coef_);
    SecureFill(x_, 0, sizeof x_);
  }
  PolynomialGenerator(const PolynomialGenerator&) = delete;
  PolynomialGenerator& operator=(const PolynomialGenerator&) = delete;

  void Next(std::uint32_t out[4]) {
    std::uint32_t carried[4];
    for (std::size_t q = 0; q < 4; ++q) {
      const std::uint32_t y1 = Evaluate(2 * q, x_[q] >> 16);
      const std::uint32_t y2 = Evaluate(2 * q + 1, x_[q] & 0xFFFF);
      out[q] = y1 << 16 | (y2 & 0xFFFF);
      carried[q] = (y1 & 0xFFFF0000) | y2 >> 16;
    }
    x_[0] = carried[0] >> 16 | carried[3] << 16;
    x_[1] = carried[0] << 16 | carried[1] >> 16;
    x_[2] = carried[1] << 16 | carried[2] >> 16;
    x_[3] = carried[2] << 16 | carried[3] >> 16;
  }

  void Skip() {
    std::uint32_t out[4];
    Next(out);
  }

 private:
  std::uint32_t Evaluate(std::size_t polynomial, std::uint32_t x) const {
    const std::uint8_t* c = coef_[polynomial];
    return (((c[0] * x + c[1]) * x + c[2]) * x + c[3]) * x + 1;
  }

  std::uint8_t coef_[8][4];
  std::uint32_t x_[4];
};

// One key-stream word; advances the generator.
inline std::uint32_t NextWord(ScopGeneratorState& s, std::uint32_t& i, std::uint32_t& j,
                              std::uint32_t& t3) {
  std::uint32_t* changing = s.v + kStaticWords;
  const std::uint32_t t1 = changing[j];
  j = (j + t3) & 0xFF;
  const std::uint32_t t2 = changing[j];
  t3 = t2 + s.v[i];
  changing[j] = t3;
  i = (i + 1) & 0xFF;
  j = (j + t2) & 0xFF;
  return t1 + t2;
}

// Adds one key-stream word to each little-endian word of the block, or
// subtracts it.
void ApplyKeyStream(ScopGeneratorState& s, std::uint8_t* block, bool add) {
  std::uint32_t i = s.i, j = s.j, t3 = s.t3;
  for (std::size_t w = 0; w < kBlockWords; ++w) {
    const std::uint32_t word = LoadLE<std::uint32_t>(block + 4 * w);
    const std::uint32_t k = NextWord(s, i, j, t3);
    StoreLE(block + 4 * w, add ? word + k : word - k);
  }
  s.i = i;
  s.j = j;
  s.t3 = t3;
}

}  // namespace

void TCipher_SCOP::ScheduleKey(std::span<const std::uint8_t> key) {
  if (key.empty()) {
    // The expansion builds the key material from the key bytes themselves.
    RaiseCipherException(kFaultKeyLength,
                         FormatMessage(kInvalidKeyLength, {Class().ClassName(), 1, kMaxKeySize}));
  }
  ExpandKey(key.data(), static_cast<std::int32_t>(key.size()));
}

// The key stream of every run starts where the chain's start left it.
void TCipher_SCOP::ChainStarted() {
  Saved() = Running();
}

// The key is stretched to 48 bytes (each new byte the sum of the two bytes
// keySize and keySize - 1 places before it); zero bytes among the first 32,
// which become polynomial coefficients, are replaced by 1, 2, 3, ...; the
// last 16 bytes seed the polynomial generator. Its output, with some of it
// discarded, fills the table; a last output word gives the indexes and
// makes one of the static words odd.
void TCipher_SCOP::ExpandKey(const std::uint8_t* key, std::int32_t keySize) {
  std::uint8_t material[48] = {};
  std::memcpy(material, key, static_cast<std::size_t>(keySize));
  const auto n = static_cast<std::size_t>(std::max(keySize, 2));  // a 1-byte key gets a zero byte
  for (std::size_t m = n; m < sizeof material; ++m) {
    material[m] = static_cast<std::uint8_t>(material[m - n] + material[m - n + 1]);
  }
  std::uint8_t replacement = 1;
  for (std::size_t m = 0; m < 32; ++m) {
    if (material[m] == 0) material[m] = replacement++;
  }
  PolynomialGenerator generator(material, material + 32);
  SecureFill(material, 0, sizeof material);

  ScopGeneratorState& s = Running();
  for (int k = 0; k < 8; ++k)
    generator.Skip();
  std::uint32_t* next = s.v;
  for (int part = 0; part < 12; ++part) {
    for (int k = 0; k < 8; ++k, next += 4)
      generator.Next(next);
    generator.Skip();
  }
  std::uint32_t last[4];
  generator.Next(last);
  const std::uint32_t w = last[3];
  s.i = w >> 24;
  s.j = (w >> 16) & 0xFF;
  s.t3 = (w >> 8) & 0xFF;
  s.v[w & 0x7F] |= 1;
  SecureFill(last, 0, sizeof last);
}

void TCipher_SCOP::EncipherBlock(std::uint8_t* block) {
  ApplyKeyStream(Running(), block, true);
}

void TCipher_SCOP::DecipherBlock(std::uint8_t* block) {
  ApplyKeyStream(Running(), block, false);
}

void TCipher_SCOP::ResetChain() {
  TCipher::ResetChain();
  Running() = Saved();
}

}  // namespace velunor
