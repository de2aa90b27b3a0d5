#include "cipher/cipher_3way.h"

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = TCipher_3Way::kInfo.BlockSize;
constexpr std::int32_t kMaxKeySize = TCipher_3Way::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_3Way::kInfo.KeyDataSize;
static_assert(sizeof(ThreeWayKeySchedule) == kKeyDataSize);
constexpr int kRounds = 11;

// First round constants of the two directions.
constexpr std::uint32_t kEncipherStart = 0x0B0B;
constexpr std::uint32_t kDecipherStart = 0xB1B1;

struct Words {
  std::uint32_t a0, a1, a2;
};

// The linear step: every output bit is the xor of bits of all three words.
inline void Theta(Words& w) {
  const std::uint32_t c = RotateLeft32(w.a0 ^ w.a1 ^ w.a2, 16);
  const std::uint32_t b0 = w.a0 ^ c ^ (w.a0 << 24) ^ (w.a0 << 8) ^ (w.a1 >> 24) ^ (w.a2 << 8) ^
                           (w.a2 >> 8) ^ (w.a2 >> 24);
  const std::uint32_t b1 = w.a1 ^ c ^ (w.a1 << 24) ^ (w.a1 << 8) ^ (w.a2 >> 24) ^ (w.a0 << 8) ^
                           (w.a0 >> 8) ^ (w.a0 >> 24);
  const std::uint32_t b2 = w.a2 ^ c ^ (w.a2 << 24) ^ (w.a2 << 8) ^ (w.a0 >> 24) ^ (w.a1 << 8) ^
                           (w.a1 >> 8) ^ (w.a1 >> 24);
  w = {b0, b1, b2};
}

// The nonlinear step.
inline void Gamma(Words& w) {
  const std::uint32_t b0 = w.a0 ^ (w.a1 | ~w.a2);
  const std::uint32_t b1 = w.a1 ^ (w.a2 | ~w.a0);
  const std::uint32_t b2 = w.a2 ^ (w.a0 | ~w.a1);
  w = {b0, b1, b2};
}

// One round: theta, the bit shifts pi-1, gamma, the bit shifts pi-2.
inline void Rho(Words& w) {
  Theta(w);
  w.a0 = RotateRight32(w.a0, 10);
  w.a2 = RotateLeft32(w.a2, 1);
  Gamma(w);
  w.a0 = RotateLeft32(w.a0, 1);
  w.a2 = RotateRight32(w.a2, 10);
}

// Reverses the order of all 96 bits.
inline void Mu(Words& w) {
  w = {ReverseBits32(w.a2), ReverseBits32(w.a1), ReverseBits32(w.a0)};
}

inline void AddRoundKey(Words& w, const std::uint32_t* key, std::uint32_t constant) {
  w.a0 ^= key[0] ^ (constant << 16);
  w.a1 ^= key[1];
  w.a2 ^= key[2] ^ constant;
}

// The round constants: a 16-bit linear feedback shift register.
void MakeRoundConstants(std::uint32_t start, std::uint32_t* constants) {
  for (int i = 0; i <= kRounds; ++i) {
    constants[i] = start;
    start <<= 1;
    if (start & 0x10000) start ^= 0x11011;
  }
}

inline void Rounds(Words& w, const std::uint32_t* key, const std::uint32_t* constants) {
  for (int i = 0; i < kRounds; ++i) {
    AddRoundKey(w, key, constants[i]);
    Rho(w);
  }
  AddRoundKey(w, key, constants[kRounds]);
  Theta(w);
}

inline Words Load(const std::uint8_t* block) {
  return LoadLEWords<Words>(block);
}

inline void Store(std::uint8_t* block, const Words& w) {
  StoreLEWords(block, w);
}

static_assert(sizeof(Words) == kBlockSize);

// Four blocks at once, each word position in an array of its own, so that
// the compiler can run the four blocks in the lanes of one vector register.
constexpr std::size_t kLanes = 4;

struct FourBlocks {
  std::uint32_t a0[kLanes], a1[kLanes], a2[kLanes];
};

inline FourBlocks LoadFour(const std::uint8_t* blocks) {
  FourBlocks four;
  for (std::size_t n = 0; n < kLanes; ++n) {
    const Words w = Load(blocks + n * kBlockSize);
    four.a0[n] = w.a0;
    four.a1[n] = w.a1;
    four.a2[n] = w.a2;
  }
  return four;
}

inline void StoreFour(std::uint8_t* blocks, const FourBlocks& four) {
  for (std::size_t n = 0; n < kLanes; ++n) {
    Store(blocks + n * kBlockSize, Words{four.a0[n], four.a1[n], four.a2[n]});
  }
}

inline void MuFour(FourBlocks& four) {
  for (std::size_t n = 0; n < kLanes; ++n) {
    Words w{four.a0[n], four.a1[n], four.a2[n]};
    Mu(w);
    four.a0[n] = w.a0;
    four.a1[n] = w.a1;
    four.a2[n] = w.a2;
  }
}

inline void RoundsFour(FourBlocks& four, const std::uint32_t* key, const std::uint32_t* constants) {
  for (int i = 0; i <= kRounds; ++i) {
    for (std::size_t n = 0; n < kLanes; ++n) {
      Words w{four.a0[n], four.a1[n], four.a2[n]};
      AddRoundKey(w, key, constants[i]);
      if (i < kRounds) {
        Rho(w);
      } else {
        Theta(w);
      }
      four.a0[n] = w.a0;
      four.a1[n] = w.a1;
      four.a2[n] = w.a2;
    }
  }
}

}  // namespace

void TCipher_3Way::ScheduleKey(std::span<const std::uint8_t> key) {
  ThreeWayKeySchedule& s = KeySchedule();
  LoadLE(s.encipherKey, TPaddedKey<kMaxKeySize>(key).Bytes());
  // Deciphering runs the same rounds on the bit-reversed block with the
  // mixed and bit-reversed key.
  Words inverse{s.encipherKey[0], s.encipherKey[1], s.encipherKey[2]};
  Theta(inverse);
  Mu(inverse);
  s.decipherKey[0] = inverse.a0;
  s.decipherKey[1] = inverse.a1;
  s.decipherKey[2] = inverse.a2;
  SecureFill(&inverse, 0, sizeof inverse);
  MakeRoundConstants(kEncipherStart, s.encipherConstants);
  MakeRoundConstants(kDecipherStart, s.decipherConstants);
}

void TCipher_3Way::EncipherBlock(std::uint8_t* block) {
  EncipherBlocks(block, 1);
}

void TCipher_3Way::DecipherBlock(std::uint8_t* block) {
  DecipherBlocks(block, 1);
}

void TCipher_3Way::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  const ThreeWayKeySchedule& s = KeySchedule();
  for (; count >= kLanes; count -= kLanes, blocks += kLanes * kBlockSize) {
    FourBlocks four = LoadFour(blocks);
    RoundsFour(four, s.encipherKey, s.encipherConstants);
    StoreFour(blocks, four);
  }
  for (; count > 0; --count, blocks += kBlockSize) {
    Words w = Load(blocks);
    Rounds(w, s.encipherKey, s.encipherConstants);
    Store(blocks, w);
  }
}

void TCipher_3Way::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  const ThreeWayKeySchedule& s = KeySchedule();
  for (; count >= kLanes; count -= kLanes, blocks += kLanes * kBlockSize) {
    FourBlocks four = LoadFour(blocks);
    MuFour(four);
    RoundsFour(four, s.decipherKey, s.decipherConstants);
    MuFour(four);
    StoreFour(blocks, four);
  }
  for (; count > 0; --count, blocks += kBlockSize) {
    Words w = Load(blocks);
    Mu(w);
    Rounds(w, s.decipherKey, s.decipherConstants);
    Mu(w);
    Store(blocks, w);
  }
}

}  // namespace velunor
