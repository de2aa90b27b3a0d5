#include "cipher/cipher_safer.h"

#include <iterator>

#include "cipher/padded_key.h"
#include "cipher/safer_tables.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = 8;
// The class reports more than the 216 bytes its schedule holds.
constexpr std::int32_t kKeyDataSize = 768;
static_assert(sizeof(SaferKeySchedule) <= kKeyDataSize);
static_assert(std::size(SaferKeySchedule{}.subkeys) == 2 * TCipher_SAFER::kMaxRounds + 1);

// Self-test bytes of each class: SelfTestInput enciphered in cmCTS under its
// own first MaxKeySize bytes as raw key (see cipher_selftest.h).
constexpr std::uint8_t kKnownAnswerK40[32] = {
    0x64, 0xFE, 0xEF, 0x2F, 0x53, 0x8F, 0x35, 0x98, 0x8B, 0xC8, 0x4F, 0x5C, 0xE1, 0x60, 0x3F, 0xFC,
    0x65, 0x5A, 0xEF, 0x48, 0xFF, 0x3C, 0x0A, 0x76, 0xBA, 0x47, 0x1E, 0x43, 0xED, 0xBF, 0x66, 0x4A};
constexpr std::uint8_t kKnownAnswerSK40[32] = {
    0xD9, 0x94, 0x36, 0x82, 0xA6, 0xC7, 0x32, 0x17, 0xB1, 0x89, 0x69, 0x92, 0xB3, 0xC1, 0xBF, 0xBA,
    0xFD, 0xA7, 0x14, 0x3A, 0xA0, 0xAA, 0xF5, 0xF9, 0x9F, 0x27, 0x59, 0x2D, 0xB9, 0x3E, 0x8A, 0x43};
constexpr std::uint8_t kKnownAnswerK64[32] = {
    0xE3, 0x6A, 0x9D, 0x1D, 0x17, 0x31, 0x7B, 0x1D, 0x1F, 0xC6, 0x8D, 0x1E, 0x24, 0xC3, 0xDE, 0xBE,
    0xF4, 0xD6, 0x0C, 0xDD, 0x1B, 0xCD, 0x36, 0xC0, 0xF2, 0x9C, 0xEE, 0xF2, 0x09, 0x3C, 0x1E, 0x8B};
constexpr std::uint8_t kKnownAnswerSK64[32] = {
    0xB6, 0x11, 0x06, 0x63, 0xF1, 0xEA, 0xA4, 0xCD, 0x14, 0x47, 0x75, 0xA5, 0x97, 0xCB, 0x5E, 0x47,
    0xF3, 0x6B, 0x6E, 0xF8, 0x84, 0x9E, 0xB2, 0xD8, 0x33, 0xC1, 0x2C, 0xC8, 0x15, 0xEE, 0x89, 0x51};
constexpr std::uint8_t kKnownAnswerK128[32] = {
    0x37, 0x43, 0xF4, 0xBF, 0x79, 0x73, 0x23, 0xE6, 0x73, 0x73, 0x75, 0xCF, 0xD7, 0xC1, 0xFD, 0x7D,
    0xF4, 0x72, 0x59, 0x46, 0xCE, 0xFC, 0xEB, 0x5F, 0x04, 0x53, 0x40, 0x24, 0x06, 0x32, 0x85, 0x69};
constexpr std::uint8_t kKnownAnswerSK128[32] = {
    0xC2, 0x7B, 0xD6, 0xB7, 0x58, 0x17, 0xD0, 0xE2, 0xA7, 0x06, 0xF3, 0xF9, 0x86, 0x02, 0x26, 0xE4,
    0x11, 0x68, 0x9F, 0x62, 0xD4, 0x9A, 0x8A, 0xCD, 0xB6, 0x50, 0x49, 0x12, 0xEB, 0xA6, 0xA4, 0xB6};

inline std::uint8_t RotateLeft8(std::uint8_t value, int shift) {
  return static_cast<std::uint8_t>(value << shift | value >> (8 - shift));
}

// The pseudo-Hadamard transform (x, y) -> (2x + y, x + y) and its inverse.
inline void PHT(std::uint8_t& x, std::uint8_t& y) {
  y += x;
  x += y;
}

inline void InversePHT(std::uint8_t& x, std::uint8_t& y) {
  x -= y;
  y -= x;
}

// Each round: bytes 0, 3, 4, 7 take the first subkey by xor, go through exp
// and take the second subkey by addition; bytes 1, 2, 5, 6 take the first by
// addition, go through log and take the second by xor. Three levels of PHT
// follow. The output transformation applies one more subkey the first way.
void EncipherSafer(const std::uint8_t* key, std::int32_t rounds, std::uint8_t* block) {
  std::uint8_t a = block[0], b = block[1], c = block[2], d = block[3];
  std::uint8_t e = block[4], f = block[5], g = block[6], h = block[7];
  for (std::int32_t round = 0; round < rounds; ++round, key += 16) {
    a = kSaferExp[a ^ key[0]] + key[8];
    b = kSaferLog[static_cast<std::uint8_t>(b + key[1])] ^ key[9];
    c = kSaferLog[static_cast<std::uint8_t>(c + key[2])] ^ key[10];
    d = kSaferExp[d ^ key[3]] + key[11];
    e = kSaferExp[e ^ key[4]] + key[12];
    f = kSaferLog[static_cast<std::uint8_t>(f + key[5])] ^ key[13];
    g = kSaferLog[static_cast<std::uint8_t>(g + key[6])] ^ key[14];
    h = kSaferExp[h ^ key[7]] + key[15];
    PHT(a, b);
    PHT(c, d);
    PHT(e, f);
    PHT(g, h);
    PHT(a, c);
    PHT(e, g);
    PHT(b, d);
    PHT(f, h);
    PHT(a, e);
    PHT(b, f);
    PHT(c, g);
    PHT(d, h);
    // The next round takes the bytes in the order a e b f c g d h.
    const std::uint8_t t1 = b;
    const std::uint8_t t2 = d;
    b = e;
    e = c;
    c = t1;
    d = f;
    f = g;
    g = t2;
  }
  block[0] = a ^ key[0];
  block[1] = b + key[1];
  block[2] = c + key[2];
  block[3] = d ^ key[3];
  block[4] = e ^ key[4];
  block[5] = f + key[5];
  block[6] = g + key[6];
  block[7] = h ^ key[7];
}

// The steps of EncipherSafer undone in reverse order.
void DecipherSafer(const std::uint8_t* keys, std::int32_t rounds, std::uint8_t* block) {
  const std::uint8_t* key = keys + 16 * rounds;
  std::uint8_t a = block[0] ^ key[0], b = block[1] - key[1];
  std::uint8_t c = block[2] - key[2], d = block[3] ^ key[3];
  std::uint8_t e = block[4] ^ key[4], f = block[5] - key[5];
  std::uint8_t g = block[6] - key[6], h = block[7] ^ key[7];
  for (std::int32_t round = rounds; round > 0; --round) {
    key -= 16;
    const std::uint8_t t1 = e;
    const std::uint8_t t2 = f;
    e = b;
    b = c;
    c = t1;
    f = d;
    d = g;
    g = t2;
    InversePHT(a, e);
    InversePHT(b, f);
    InversePHT(c, g);
    InversePHT(d, h);
    InversePHT(a, c);
    InversePHT(e, g);
    InversePHT(b, d);
    InversePHT(f, h);
    InversePHT(a, b);
    InversePHT(c, d);
    InversePHT(e, f);
    InversePHT(g, h);
    a = kSaferLog[static_cast<std::uint8_t>(a - key[8])] ^ key[0];
    b = kSaferExp[b ^ key[9]] - key[1];
    c = kSaferExp[c ^ key[10]] - key[2];
    d = kSaferLog[static_cast<std::uint8_t>(d - key[11])] ^ key[3];
    e = kSaferLog[static_cast<std::uint8_t>(e - key[12])] ^ key[4];
    f = kSaferExp[f ^ key[13]] - key[5];
    g = kSaferExp[g ^ key[14]] - key[6];
    h = kSaferLog[static_cast<std::uint8_t>(h - key[15])] ^ key[7];
  }
  block[0] = a, block[1] = b, block[2] = c, block[3] = d;
  block[4] = e, block[5] = f, block[6] = g, block[7] = h;
}

template <class Class>
const TCipherClass& SaferClass(std::string_view name, const TClass& parent, std::int32_t maxKeySize,
                               std::span<const std::uint8_t> knownAnswer) {
  static const TCipherClass cls(name, &parent, TCipherInfo{kBlockSize, maxKeySize, kKeyDataSize},
                                knownAnswer, CreateCipherObject<Class>);
  return cls;
}

}  // namespace

const TCipherClass& TCipher_SAFER::Class() {
  // Keyed with 16 bytes the base runs SK-128, so the two share their self-test bytes.
  return SaferClass<TCipher_SAFER>("TCipher_SAFER", TCipher::Class(), 16, kKnownAnswerSK128);
}

const TCipherClass& TCipher_SAFER_K40::Class() {
  return SaferClass<TCipher_SAFER_K40>("TCipher_SAFER_K40", TCipher_SAFER::Class(), 5,
                                       kKnownAnswerK40);
}

const TCipherClass& TCipher_SAFER_SK40::Class() {
  return SaferClass<TCipher_SAFER_SK40>("TCipher_SAFER_SK40", TCipher_SAFER_K40::Class(), 5,
                                        kKnownAnswerSK40);
}

const TCipherClass& TCipher_SAFER_K64::Class() {
  return SaferClass<TCipher_SAFER_K64>("TCipher_SAFER_K64", TCipher_SAFER::Class(), 8,
                                       kKnownAnswerK64);
}

const TCipherClass& TCipher_SAFER_SK64::Class() {
  return SaferClass<TCipher_SAFER_SK64>("TCipher_SAFER_SK64", TCipher_SAFER_K64::Class(), 8,
                                        kKnownAnswerSK64);
}

const TCipherClass& TCipher_SAFER_K128::Class() {
  return SaferClass<TCipher_SAFER_K128>("TCipher_SAFER_K128", TCipher_SAFER::Class(), 16,
                                        kKnownAnswerK128);
}

const TCipherClass& TCipher_SAFER_SK128::Class() {
  return SaferClass<TCipher_SAFER_SK128>("TCipher_SAFER_SK128", TCipher_SAFER_K128::Class(), 16,
                                         kKnownAnswerSK128);
}

std::int32_t TCipher_SAFER::DefaultRounds(std::int32_t variant) {
  switch (variant % 4) {
    case 1:
      return 5;
    case 2:
      return 6;
    default:
      return 10;
  }
}

std::int32_t TCipher_SAFER::VariantFor(std::int32_t keySize) const {
  if (keySize > 8) return 7;
  if (keySize > 5) return 6;
  return 5;
}

void TCipher_SAFER::SetRounds(std::int32_t rounds) {
  if (rounds >= kMinRounds && rounds <= kMaxRounds) {
    rounds_ = rounds;
  } else {
    rounds_ = variant_ != 0 ? DefaultRounds(variant_) : 0;
  }
}

void TCipher_SAFER::Init(const void* key, std::int32_t keySize, const void* iv) {
  CheckKeyLength(keySize);
  variant_ = VariantFor(keySize);
  if (rounds_ < kMinRounds || rounds_ > kMaxRounds) rounds_ = DefaultRounds(variant_);

  // The 128-bit schedules take two 8-byte halves, the others the 8-byte key twice.
  const TPaddedKey<16> userKey(key, keySize);
  const bool wideKey = variant_ % 4 == 3;
  BuildSchedule(userKey.Bytes(), userKey.Bytes() + (wideKey ? 8 : 0), variant_ > 4);
  StartChain(iv);
}

// Subkey 0 is the second half as it stands. Then, for each round, both
// halves are rotated bytewise by 6 bits and each gives one subkey with a
// bias from the exp table added. The first half starts rotated by 5 bits.
// The SK schedule extends each half by a parity byte and takes its subkey
// bytes from a window that moves through the nine bytes round by round.
void TCipher_SAFER::BuildSchedule(const std::uint8_t* firstHalf, const std::uint8_t* secondHalf,
                                  bool strengthened) {
  std::uint8_t ka[9] = {};
  std::uint8_t kb[9] = {};
  std::uint8_t* subkey = &KeySchedule().subkeys[0][0];
  for (int j = 0; j < 8; ++j) {
    ka[j] = RotateLeft8(firstHalf[j], 5);
    kb[j] = secondHalf[j];
    ka[8] ^= ka[j];
    kb[8] ^= kb[j];
    subkey[j] = kb[j];
  }
  subkey += 8;
  for (int i = 1; i <= kMaxRounds; ++i) {
    for (int j = 0; j < 9; ++j) {
      ka[j] = RotateLeft8(ka[j], 6);
      kb[j] = RotateLeft8(kb[j], 6);
    }
    for (int j = 0; j < 8; ++j) {
      const std::uint8_t a = strengthened ? ka[(j + 2 * i - 1) % 9] : ka[j];
      const std::uint8_t b = strengthened ? kb[(j + 2 * i) % 9] : kb[j];
      subkey[j] = static_cast<std::uint8_t>(a + kSaferExp[kSaferExp[(18 * i + j + 1) & 0xFF]]);
      subkey[8 + j] = static_cast<std::uint8_t>(b + kSaferExp[kSaferExp[(18 * i + j + 10) & 0xFF]]);
    }
    subkey += 16;
  }
  SecureFill(ka, 0, sizeof ka);
  SecureFill(kb, 0, sizeof kb);
}

void TCipher_SAFER::EncipherBlock(std::uint8_t* block) {
  EncipherSafer(Subkeys(), rounds_, block);
}

void TCipher_SAFER::DecipherBlock(std::uint8_t* block) {
  DecipherSafer(Subkeys(), rounds_, block);
}

// Runs of blocks call the block steps directly rather than through the
// virtual EncipherBlock and DecipherBlock.
void TCipher_SAFER::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  for (; count > 0; --count, blocks += 8)
    EncipherSafer(Subkeys(), rounds_, blocks);
}

void TCipher_SAFER::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  for (; count > 0; --count, blocks += 8)
    DecipherSafer(Subkeys(), rounds_, blocks);
}

}  // namespace velunor
