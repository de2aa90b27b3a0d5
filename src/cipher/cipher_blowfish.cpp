#include "cipher/cipher_blowfish.h"

#include <cstring>

#include "cipher/blowfish_rounds.h"
#include "cipher/blowfish_tables.h"
#include "runtime/bit_field_extract.h"
#include "runtime/byte_order.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = 8;
constexpr std::int32_t kMaxKeySize = 56;
constexpr std::int32_t kKeyDataSize = (4 * 256 + 18) * 4;
static_assert(sizeof(BlowfishKeySchedule) == kKeyDataSize);

// Self-test bytes: SelfTestInput enciphered in cmCTS under its own first
// 32 bytes as raw key (see cipher_selftest.h).
constexpr std::uint8_t kKnownAnswer[32] = {
    0x94, 0x39, 0x24, 0x4D, 0xD8, 0xA5, 0x12, 0xF6, 0x4A, 0x24, 0x11, 0x97, 0x9B, 0xF0, 0x80, 0x77,
    0xAC, 0x1F, 0x93, 0x01, 0x2F, 0x95, 0xCA, 0xCB, 0x34, 0x42, 0xC7, 0x44, 0x07, 0xE7, 0x51, 0x51};

// Blocks coded at once by the batch routines.
constexpr std::size_t kLanes = 8;

template <bool kForward, bool kBitFieldExtract>
void CodeBlocks(const std::uint32_t* s, const std::uint32_t* p, std::uint8_t* blocks,
                std::size_t count) {
  for (; count >= kLanes; count -= kLanes, blocks += 8 * kLanes)
    blowfish::CodeLanes<kLanes, kForward, kBitFieldExtract>(s, p, blocks);
  for (; count > 0; --count, blocks += 8)
    blowfish::CodeLanes<1, kForward, kBitFieldExtract>(s, p, blocks);
}

template <bool kForward>
void CodeBlocksDispatched(const std::uint32_t* s, const std::uint32_t* p, std::uint8_t* blocks,
                          std::size_t count) {
  if (ProcessorHasBitFieldExtract()) {
    CodeBlocks<kForward, true>(s, p, blocks, count);
  } else {
    CodeBlocks<kForward, false>(s, p, blocks, count);
  }
}

// cmCTS (F = C xor F) or cmCBC (F = C) over whole blocks with the chain
// value in registers as two halves. The left half of the next block is
// (its plain half ^ P[0] ^ the chain before this block ^ P[17]) ^ R, where R
// is this block's last right half before P[17]: everything but R is xored
// while the rounds run, so one xor lies between two blocks' rounds.
template <bool kBitFieldExtract>
void EncipherChain(const std::uint32_t* s, const std::uint32_t* p, const std::uint8_t* source,
                   std::uint8_t* dest, std::size_t count, std::uint8_t* chain, bool xorFeedback) {
  std::uint32_t chainLeft = LoadBE<std::uint32_t>(chain);
  std::uint32_t chainRight = LoadBE<std::uint32_t>(chain + 4);
  if (count == 0) return;
  std::uint32_t l = LoadBE<std::uint32_t>(source) ^ chainLeft ^ p[0];
  for (;; source += 8, dest += 8) {
    std::uint32_t r = LoadBE<std::uint32_t>(source + 4) ^ chainRight;
    // Ready before the rounds end: the next block's left half but R.
    std::uint32_t nextLeft = count > 1 ? LoadBE<std::uint32_t>(source + 8) ^ p[0] ^ p[17] : 0;
    if (xorFeedback) nextLeft ^= chainLeft;
    blowfish::KeepInRegister(nextLeft);
    blowfish::CodeRounds<true, kBitFieldExtract>(s, p, l, r);
    const std::uint32_t outLeft = r ^ p[17];
    StoreBE(dest, outLeft);
    StoreBE(dest + 4, l);
    chainLeft = xorFeedback ? chainLeft ^ outLeft : outLeft;
    chainRight = xorFeedback ? chainRight ^ l : l;
    if (--count == 0) break;
    l = nextLeft ^ r;
  }
  StoreBE(chain, chainLeft);
  StoreBE(chain + 4, chainRight);
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
      if (++j == n) j = 0;  // cyclic, without a division per byte
    }
    p[i] ^= word;
  }

  if (ProcessorHasBitFieldExtract()) {
    blowfish::FillKeySchedule<true>(s, p);
  } else {
    blowfish::FillKeySchedule<false>(s, p);
  }
  StartChain(iv);
}

void TCipher_Blowfish::EncipherBlock(std::uint8_t* block) {
  CodeBlocksDispatched<true>(SBoxes(), PArray(), block, 1);
}

void TCipher_Blowfish::DecipherBlock(std::uint8_t* block) {
  CodeBlocksDispatched<false>(SBoxes(), PArray(), block, 1);
}

void TCipher_Blowfish::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocksDispatched<true>(SBoxes(), PArray(), blocks, count);
}

void TCipher_Blowfish::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocksDispatched<false>(SBoxes(), PArray(), blocks, count);
}

void TCipher_Blowfish::EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest,
                                             std::size_t count, TCipherMode mode) {
  if (ProcessorHasBitFieldExtract()) {
    EncipherChain<true>(SBoxes(), PArray(), source, dest, count, MutableChainBlock(),
                        mode == cmCTS);
  } else {
    EncipherChain<false>(SBoxes(), PArray(), source, dest, count, MutableChainBlock(),
                         mode == cmCTS);
  }
}

}  // namespace velunor
