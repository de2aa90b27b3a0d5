#include "cipher/cipher_blowfish.h"

#include <cstring>

#include "cipher/blowfish_tables.h"
#include "protection/exceptions.h"
#include "protection/messages.h"
#include "protection/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = 8;
constexpr std::int32_t kMaxKeySize = 56;
constexpr std::int32_t kKeyDataSize = (4 * 256 + 18) * 4;

// Self-test bytes: SelfTestInput enciphered in cmCTS under its own first
// 32 bytes as raw key (see cipher_selftest.h).
constexpr std::uint8_t kKnownAnswer[32] = {
    0x94, 0x39, 0x24, 0x4D, 0xD8, 0xA5, 0x12, 0xF6, 0x4A, 0x24, 0x11, 0x97, 0x9B, 0xF0, 0x80, 0x77,
    0xAC, 0x1F, 0x93, 0x01, 0x2F, 0x95, 0xCA, 0xCB, 0x34, 0x42, 0xC7, 0x44, 0x07, 0xE7, 0x51, 0x51};

inline std::uint32_t LoadBE(const std::uint8_t* p) {
  std::uint32_t value;
  std::memcpy(&value, p, 4);
  return SwapBytes32(value);
}

inline void StoreBE(std::uint8_t* p, std::uint32_t value) {
  value = SwapBytes32(value);
  std::memcpy(p, &value, 4);
}

// The round function over the four S-boxes.
inline std::uint32_t F(const std::uint32_t* s, std::uint32_t x) {
  return ((s[x >> 24] + s[256 + ((x >> 16) & 0xFF)]) ^ s[512 + ((x >> 8) & 0xFF)]) +
         s[768 + (x & 0xFF)];
}

// Keeps a lane value in a general register. Left alone, the compiler packs
// the lanes into vector registers, where every S-box lookup costs shuffles
// and the lanes lose their independence.
inline void KeepInRegister(std::uint32_t& value) {
#if defined(__GNUC__)
  asm("" : "+r"(value));
#endif
}

// The P-array entry of a round: forward to encipher, backward to decipher.
template <bool kForward>
constexpr int KeyIndex(int round) {
  return kForward ? round : 17 - round;
}

// Codes `kLanes` consecutive blocks at once. The rounds of one block depend
// on each other, the blocks do not, so interleaving them keeps the processor
// busy while S-box lookups are under way. Two rounds per step spare the
// exchange of the halves (L ^= P[i]; R ^= P[i+1] ^ F(L); L ^= P[i+2] ^ F(R)),
// and each P-array entry is xored into its half while the F it meets next is
// still being computed, which keeps it off the chain of dependent steps. The last entry of that
// kind, P[16], is already the one of the output; the final exchange is undone
// by storing R first.
template <std::size_t kLanes, bool kForward>
inline void CodeLanes(const std::uint32_t* s, const std::uint32_t* p, std::uint8_t* blocks) {
  std::uint32_t l[kLanes];
  std::uint32_t r[kLanes];
  for (std::size_t k = 0; k < kLanes; ++k) {
    l[k] = LoadBE(blocks + 8 * k) ^ p[KeyIndex<kForward>(0)];
    r[k] = LoadBE(blocks + 8 * k + 4);
  }
#pragma GCC unroll 8
  for (int i = 0; i < 16; i += 2) {
    const std::uint32_t toRight = p[KeyIndex<kForward>(i + 1)];
    const std::uint32_t toLeft = p[KeyIndex<kForward>(i + 2)];
    for (std::size_t k = 0; k < kLanes; ++k) {
      r[k] ^= toRight;
      KeepInRegister(r[k]);
      r[k] ^= F(s, l[k]);
      KeepInRegister(r[k]);
    }
    for (std::size_t k = 0; k < kLanes; ++k) {
      l[k] ^= toLeft;
      KeepInRegister(l[k]);
      l[k] ^= F(s, r[k]);
      KeepInRegister(l[k]);
    }
  }
  const std::uint32_t outLeft = p[KeyIndex<kForward>(17)];
  for (std::size_t k = 0; k < kLanes; ++k) {
    StoreBE(blocks + 8 * k, r[k] ^ outLeft);
    StoreBE(blocks + 8 * k + 4, l[k]);
  }
}

// Blocks coded at once by the batch routines.
constexpr std::size_t kLanes = 8;

template <bool kForward>
void CodeBlocks(const std::uint32_t* s, const std::uint32_t* p, std::uint8_t* blocks,
                std::size_t count) {
  for (; count >= kLanes; count -= kLanes, blocks += 8 * kLanes)
    CodeLanes<kLanes, kForward>(s, p, blocks);
  for (; count > 0; --count, blocks += 8)
    CodeLanes<1, kForward>(s, p, blocks);
}

}  // namespace

const TCipherClass& TCipher_Blowfish::Class() {
  static const TCipherClass cls("TCipher_Blowfish", &TCipher::Class(),
                                TCipherInfo{kBlockSize, kMaxKeySize, kKeyDataSize}, kKnownAnswer,
                                CreateCipherObject<TCipher_Blowfish>);
  return cls;
}

void TCipher_Blowfish::Init(const void* key, std::int32_t keySize, const void* iv) {
  CheckKeyLength(keySize);
  if (keySize == 0) {
    // The key is repeated cyclically over the P-array, which needs at least one byte.
    RaiseCipherException(kFaultKeyLength, FormatMessage(MessageId::kInvalidKeyLength,
                                                        {Class().ClassName(), 1, kMaxKeySize}));
  }
  std::uint32_t* s = SBoxes();
  std::uint32_t* p = PArray();
  std::memcpy(s, kBlowfishInitialS, sizeof kBlowfishInitialS);
  std::memcpy(p, kBlowfishInitialP, sizeof kBlowfishInitialP);

  const auto* bytes = static_cast<const std::uint8_t*>(key);
  const auto n = static_cast<std::size_t>(keySize);
  std::size_t j = 0;
  for (int i = 0; i < 18; ++i) {
    std::uint32_t word = 0;
    for (int k = 0; k < 4; ++k) {
      word = word << 8 | bytes[j];
      j = (j + 1) % n;
    }
    p[i] ^= word;
  }

  std::uint8_t block[8] = {};
  for (int i = 0; i < 18; i += 2) {
    EncipherBlock(block);
    p[i] = LoadBE(block);
    p[i + 1] = LoadBE(block + 4);
  }
  for (int i = 0; i < 4 * 256; i += 2) {
    EncipherBlock(block);
    s[i] = LoadBE(block);
    s[i + 1] = LoadBE(block + 4);
  }
  SecureFill(block, 0, sizeof block);
  StartChain(iv);
}

void TCipher_Blowfish::EncipherBlock(std::uint8_t* block) {
  CodeLanes<1, true>(SBoxes(), PArray(), block);
}

void TCipher_Blowfish::DecipherBlock(std::uint8_t* block) {
  CodeLanes<1, false>(SBoxes(), PArray(), block);
}

void TCipher_Blowfish::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks<true>(SBoxes(), PArray(), blocks, count);
}

void TCipher_Blowfish::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks<false>(SBoxes(), PArray(), blocks, count);
}

}  // namespace velunor
