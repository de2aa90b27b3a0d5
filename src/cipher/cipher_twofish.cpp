#include "cipher/cipher_twofish.h"

#include "cipher/padded_key.h"
#include "cipher/twofish_tables.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = TCipher_Twofish::kInfo.BlockSize;
constexpr std::int32_t kMaxKeySize = TCipher_Twofish::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_Twofish::kInfo.KeyDataSize;
static_assert(sizeof(TwofishKeySchedule) == kKeyDataSize);

inline std::uint8_t Byte(std::uint32_t word, int index) {
  return static_cast<std::uint8_t>(word >> (8 * index));
}

// Product in GF(2^8) modulo w(x) = x^8 + x^6 + x^3 + x^2 + 1, the field of the
// Reed-Solomon code that derives the S-box key from the key.
std::uint8_t RsMultiply(std::uint8_t a, std::uint8_t b) {
  unsigned product = 0;
  unsigned factor = a;
  for (unsigned bits = b; bits != 0; bits >>= 1) {
    if (bits & 1) product ^= factor;
    factor <<= 1;
    if (factor & 0x100) factor ^= 0x14D;
  }
  return static_cast<std::uint8_t>(product);
}

constexpr std::uint8_t kRsMatrix[4][8] = {{0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
                                          {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
                                          {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
                                          {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03}};

// One word of the S-box key: the RS matrix times eight key bytes.
std::uint32_t RsWord(const std::uint8_t* keyBytes) {
  std::uint32_t word = 0;
  for (int row = 0; row < 4; ++row) {
    std::uint8_t value = 0;
    for (int column = 0; column < 8; ++column)
      value ^= RsMultiply(kRsMatrix[row][column], keyBytes[column]);
    word |= std::uint32_t{value} << (8 * row);
  }
  return word;
}

// The permutation layers of h for byte position `position` of input byte x
// under the key words l[0..words-1], up to (not including) the last q, which
// kTwofishMds folds in with the MDS matrix.
std::uint8_t PermuteBeforeMds(std::uint8_t x, int position, const std::uint32_t* l, int words) {
  // Which q each layer uses, from the layer of l[3] down to that of l[0].
  static constexpr const std::uint8_t* kLayer3[4] = {kTwofishQ1, kTwofishQ0, kTwofishQ0,
                                                     kTwofishQ1};
  static constexpr const std::uint8_t* kLayer2[4] = {kTwofishQ1, kTwofishQ1, kTwofishQ0,
                                                     kTwofishQ0};
  static constexpr const std::uint8_t* kLayer1[4] = {kTwofishQ0, kTwofishQ1, kTwofishQ0,
                                                     kTwofishQ1};
  static constexpr const std::uint8_t* kLayer0[4] = {kTwofishQ0, kTwofishQ0, kTwofishQ1,
                                                     kTwofishQ1};
  const auto p = static_cast<std::size_t>(position);
  if (words == 4) x = static_cast<std::uint8_t>(kLayer3[p][x] ^ Byte(l[3], position));
  if (words >= 3) x = static_cast<std::uint8_t>(kLayer2[p][x] ^ Byte(l[2], position));
  x = static_cast<std::uint8_t>(kLayer1[p][x] ^ Byte(l[1], position));
  return static_cast<std::uint8_t>(kLayer0[p][x] ^ Byte(l[0], position));
}

// The function h of the key schedule.
std::uint32_t H(std::uint32_t x, const std::uint32_t* l, int words) {
  std::uint32_t result = 0;
  for (int position = 0; position < 4; ++position) {
    const auto p = static_cast<std::size_t>(position);
    result ^= kTwofishMds[p][PermuteBeforeMds(Byte(x, position), position, l, words)];
  }
  return result;
}

inline std::uint32_t G(const std::uint32_t* s, std::uint32_t x) {
  return s[Byte(x, 0)] ^ s[256 + Byte(x, 1)] ^ s[512 + Byte(x, 2)] ^ s[768 + Byte(x, 3)];
}

// A round pair's half: (a, b) feed the F function, (c, d) take its output.
inline void EncipherRound(const std::uint32_t* s, const std::uint32_t* k, std::uint32_t a,
                          std::uint32_t b, std::uint32_t& c, std::uint32_t& d) {
  const std::uint32_t t0 = G(s, a);
  const std::uint32_t t1 = G(s, RotateLeft32(b, 8));
  c = RotateRight32(c ^ (t0 + t1 + k[0]), 1);
  d = RotateLeft32(d, 1) ^ (t0 + 2 * t1 + k[1]);
}

inline void DecipherRound(const std::uint32_t* s, const std::uint32_t* k, std::uint32_t a,
                          std::uint32_t b, std::uint32_t& c, std::uint32_t& d) {
  const std::uint32_t t0 = G(s, a);
  const std::uint32_t t1 = G(s, RotateLeft32(b, 8));
  c = RotateLeft32(c, 1) ^ (t0 + t1 + k[0]);
  d = RotateRight32(d ^ (t0 + 2 * t1 + k[1]), 1);
}

// The four block words while the rounds run.
struct State {
  std::uint32_t x0, x1, x2, x3;
};

inline State Load(const std::uint8_t* block) {
  return LoadLEWords<State>(block);
}

inline void Store(std::uint8_t* block, const State& x) {
  StoreLEWords(block, x);
}

// Input whitening with K[0..3].
inline State Whiten(const State& x, const std::uint32_t* k) {
  return {x.x0 ^ k[0], x.x1 ^ k[1], x.x2 ^ k[2], x.x3 ^ k[3]};
}

// Output whitening with K[4..7], undoing the exchange of halves after the
// last round.
inline State WhitenOutput(const State& x, const std::uint32_t* k) {
  return {x.x2 ^ k[4], x.x3 ^ k[5], x.x0 ^ k[6], x.x1 ^ k[7]};
}

inline State UnwhitenOutput(const State& y, const std::uint32_t* k) {
  return {y.x2 ^ k[6], y.x3 ^ k[7], y.x0 ^ k[4], y.x1 ^ k[5]};
}

// Two rounds: the halves take turns feeding the F function.
inline void EncipherRoundPair(const std::uint32_t* s, const std::uint32_t* rk, State& x) {
  EncipherRound(s, rk, x.x0, x.x1, x.x2, x.x3);
  EncipherRound(s, rk + 2, x.x2, x.x3, x.x0, x.x1);
}

inline void DecipherRoundPair(const std::uint32_t* s, const std::uint32_t* rk, State& x) {
  DecipherRound(s, rk + 2, x.x2, x.x3, x.x0, x.x1);
  DecipherRound(s, rk, x.x0, x.x1, x.x2, x.x3);
}

inline void EncipherOne(const std::uint32_t* k, const std::uint32_t* s, std::uint8_t* block) {
  State x = Whiten(Load(block), k);
  for (int round = 0; round < 16; round += 2)
    EncipherRoundPair(s, k + 8 + 2 * round, x);
  Store(block, WhitenOutput(x, k));
}

inline void DecipherOne(const std::uint32_t* k, const std::uint32_t* s, std::uint8_t* block) {
  State x = UnwhitenOutput(Load(block), k);
  for (int round = 14; round >= 0; round -= 2)
    DecipherRoundPair(s, k + 8 + 2 * round, x);
  Store(block, Whiten(x, k));
}

// Two independent blocks round by round, so that the processor has
// independent look-ups to overlap.
inline void EncipherTwo(const std::uint32_t* k, const std::uint32_t* s, std::uint8_t* blocks) {
  State x = Whiten(Load(blocks), k);
  State y = Whiten(Load(blocks + kBlockSize), k);
  for (int round = 0; round < 16; round += 2) {
    EncipherRoundPair(s, k + 8 + 2 * round, x);
    EncipherRoundPair(s, k + 8 + 2 * round, y);
  }
  Store(blocks, WhitenOutput(x, k));
  Store(blocks + kBlockSize, WhitenOutput(y, k));
}

inline void DecipherTwo(const std::uint32_t* k, const std::uint32_t* s, std::uint8_t* blocks) {
  State x = UnwhitenOutput(Load(blocks), k);
  State y = UnwhitenOutput(Load(blocks + kBlockSize), k);
  for (int round = 14; round >= 0; round -= 2) {
    DecipherRoundPair(s, k + 8 + 2 * round, x);
    DecipherRoundPair(s, k + 8 + 2 * round, y);
  }
  Store(blocks, Whiten(x, k));
  Store(blocks + kBlockSize, Whiten(y, k));
}

}  // namespace

void TCipher_Twofish::ScheduleKey(std::span<const std::uint8_t> key) {
  // Zero-padded key as little-endian words M[0..2k-1], k = 2, 3 or 4.
  const TPaddedKey<kMaxKeySize> keyBytes(key);
  std::uint32_t m[8];
  LoadLE(m, keyBytes.Bytes());
  const int words = key.size() <= 16 ? 2 : key.size() <= 24 ? 3 : 4;

  std::uint32_t even[4] = {};
  std::uint32_t odd[4] = {};
  std::uint32_t sboxKey[4] = {};
  for (int i = 0; i < words; ++i) {
    even[i] = m[2 * i];
    odd[i] = m[2 * i + 1];
    // The S-box key words come in reverse order.
    sboxKey[words - 1 - i] = RsWord(keyBytes.Bytes() + 8 * i);
  }

  std::uint32_t* k = Subkeys();
  constexpr std::uint32_t kRho = 0x01010101;
  for (std::uint32_t i = 0; i < 20; ++i) {
    const std::uint32_t a = H(2 * i * kRho, even, words);
    const std::uint32_t b = RotateLeft32(H((2 * i + 1) * kRho, odd, words), 8);
    k[2 * i] = a + b;
    k[2 * i + 1] = RotateLeft32(a + 2 * b, 9);
  }

  std::uint32_t* s = SBoxes();
  for (int position = 0; position < 4; ++position) {
    const auto p = static_cast<std::size_t>(position);
    for (unsigned x = 0; x < 256; ++x) {
      const std::uint8_t inner =
          PermuteBeforeMds(static_cast<std::uint8_t>(x), position, sboxKey, words);
      s[256 * p + x] = kTwofishMds[p][inner];
    }
  }
  SecureFill(m, 0, sizeof m);
  SecureFill(even, 0, sizeof even);
  SecureFill(odd, 0, sizeof odd);
  SecureFill(sboxKey, 0, sizeof sboxKey);
}

void TCipher_Twofish::EncipherBlock(std::uint8_t* block) {
  EncipherOne(Subkeys(), SBoxes(), block);
}

void TCipher_Twofish::DecipherBlock(std::uint8_t* block) {
  DecipherOne(Subkeys(), SBoxes(), block);
}

void TCipher_Twofish::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  const std::uint32_t* k = Subkeys();
  const std::uint32_t* s = SBoxes();
  for (; count >= 2; count -= 2, blocks += 2 * kBlockSize)
    EncipherTwo(k, s, blocks);
  if (count > 0) EncipherOne(k, s, blocks);
}

void TCipher_Twofish::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  const std::uint32_t* k = Subkeys();
  const std::uint32_t* s = SBoxes();
  for (; count >= 2; count -= 2, blocks += 2 * kBlockSize)
    DecipherTwo(k, s, blocks);
  if (count > 0) DecipherOne(k, s, blocks);
}

}  // namespace velunor
