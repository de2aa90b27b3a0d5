#include "cipher/cipher_safer.h"

#include <iterator>

#include "cipher/padded_key.h"
#include "cipher/safer_tables.h"
#include "runtime/support.h"

namespace velunor {

namespace {

static_assert(sizeof(SaferKeySchedule) <= TCipher_SAFER::kInfo.KeyDataSize);
static_assert(std::size(SaferKeySchedule{}.subkeys) == 2 * TCipher_SAFER::kMaxRounds + 1);

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

}  // namespace

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

void TCipher_SAFER::ScheduleKey(std::span<const std::uint8_t> key) {
  variant_ = VariantFor(static_cast<std::int32_t>(key.size()));
  if (rounds_ < kMinRounds || rounds_ > kMaxRounds) rounds_ = DefaultRounds(variant_);

  // The 128-bit schedules take two 8-byte halves, the others the 8-byte key twice.
  const TPaddedKey<16> userKey(key);
  const bool wideKey = variant_ % 4 == 3;
  BuildSchedule(userKey.Bytes(), userKey.Bytes() + (wideKey ? 8 : 0), variant_ > 4);
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
