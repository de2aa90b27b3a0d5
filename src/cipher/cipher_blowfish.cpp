#include "cipher/cipher_blowfish.h"

#include <cstring>

#include "cipher/blowfish_rounds.h"
#include "cipher/blowfish_tables.h"
#include "cipher/cipher_errors.h"
#include "runtime/bit_field_extract.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kMaxKeySize = TCipher_Blowfish::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_Blowfish::kInfo.KeyDataSize;
static_assert(sizeof(BlowfishKeySchedule) == kKeyDataSize);

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
  if (ProcessorFeatures().bitFieldExtract) {
    CodeBlocks<kForward, true>(s, p, blocks, count);
  } else {
    CodeBlocks<kForward, false>(s, p, blocks, count);
  }
}

// Whole blocks chained by `feedback`, with the chain value in registers as
// two halves. As F moves on to C xor Carry(F), the left half of the next
// block is (its plain half ^ P[0] ^ Carry(the chain before this block) ^
// P[17]) ^ R, where R is this block's last right half before P[17]:
// everything but R is xored while the rounds run, so one xor lies between
// two blocks' rounds.
template <bool kBitFieldExtract>
void EncipherChain(const std::uint32_t* s, const std::uint32_t* p, const std::uint8_t* source,
                   std::uint8_t* dest, std::size_t count, std::uint8_t* chain,
                   TChainFeedback feedback) {
  std::uint32_t chainLeft = LoadBE<std::uint32_t>(chain);
  std::uint32_t chainRight = LoadBE<std::uint32_t>(chain + 4);
  if (count == 0) return;
  std::uint32_t l = LoadBE<std::uint32_t>(source) ^ chainLeft ^ p[0];
  for (;; source += 8, dest += 8) {
    std::uint32_t r = LoadBE<std::uint32_t>(source + 4) ^ chainRight;
    // Ready before the rounds end: the next block's left half but R.
    std::uint32_t nextLeft = count > 1 ? LoadBE<std::uint32_t>(source + 8) ^ p[0] ^ p[17] : 0;
    nextLeft ^= feedback.Carry(chainLeft);
    blowfish::KeepInRegister(nextLeft);
    blowfish::CodeRounds<true, kBitFieldExtract>(s, p, l, r);
    const std::uint32_t outLeft = r ^ p[17];
    StoreBE(dest, outLeft);
    StoreBE(dest + 4, l);
    chainLeft = feedback.Next(chainLeft, outLeft);
    chainRight = feedback.Next(chainRight, l);
    if (--count == 0) break;
    l = nextLeft ^ r;
  }
  StoreBE(chain, chainLeft);
  StoreBE(chain + 4, chainRight);
}

}  // namespace

void TCipher_Blowfish::ScheduleKey(std::span<const std::uint8_t> key) {
  if (key.empty()) {
    // The key is repeated cyclically over the P-array, which needs at least one byte.
    RaiseCipherException(kFaultKeyLength,
                         FormatMessage(kInvalidKeyLength, {Class().ClassName(), 1, kMaxKeySize}));
  }
  std::uint32_t* s = SBoxes();
  std::uint32_t* p = PArray();
  std::memcpy(s, kBlowfishInitialS, sizeof kBlowfishInitialS);
  std::memcpy(p, kBlowfishInitialP, sizeof kBlowfishInitialP);

  const std::uint8_t* bytes = key.data();
  const std::size_t n = key.size();
  std::size_t j = 0;
  for (int i = 0; i < 18; ++i) {
    std::uint32_t word = 0;
    for (int k = 0; k < 4; ++k) {
      word = word << 8 | bytes[j];
      if (++j == n) j = 0;  // cyclic, without a division per byte
    }
    p[i] ^= word;
  }

  if (ProcessorFeatures().bitFieldExtract) {
    blowfish::FillKeySchedule<true>(s, p);
  } else {
    blowfish::FillKeySchedule<false>(s, p);
  }
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
                                             std::size_t count, TChainFeedback feedback) {
  if (ProcessorFeatures().bitFieldExtract) {
    EncipherChain<true>(SBoxes(), PArray(), source, dest, count, MutableChainBlock(), feedback);
  } else {
    EncipherChain<false>(SBoxes(), PArray(), source, dest, count, MutableChainBlock(), feedback);
  }
}

}  // namespace velunor
