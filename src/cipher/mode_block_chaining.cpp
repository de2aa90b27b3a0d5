#include "cipher/mode_block_chaining.h"

#include <algorithm>
#include <cstring>

#include "runtime/support.h"

namespace velunor {

TChainFeedback ChainFeedbackOf(TCipherMode mode) {
  return TChainFeedback{mode == cmCTS || mode == cmCTSMAC};
}

namespace {

// The chain step after a batch of blocks was deciphered: every plain block
// is xored with the chain value before it, which then moves on. 8-byte
// blocks go as whole words.
void UnchainBatch(std::uint8_t* plain, const std::uint8_t* cipher, std::uint8_t* f,
                  std::size_t count, std::size_t block, TChainFeedback feedback) {
  if (block == 8) {
    std::uint64_t chain;
    std::memcpy(&chain, f, 8);
    for (std::size_t i = 0; i < count; ++i) {
      std::uint64_t p;
      std::uint64_t c;
      std::memcpy(&p, plain + 8 * i, 8);
      std::memcpy(&c, cipher + 8 * i, 8);
      p ^= chain;
      std::memcpy(plain + 8 * i, &p, 8);
      chain = feedback.Next(chain, c);
    }
    std::memcpy(f, &chain, 8);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    XorBytes(plain + i * block, f, static_cast<std::int32_t>(block), plain + i * block);
    feedback.Next(f, cipher + i * block, block);
  }
}

}  // namespace

void EncipherChainedBlockByBlock(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                                 std::size_t count, TChainFeedback feedback) {
  const std::size_t block = chain.blockSize;
  const auto size = static_cast<std::int32_t>(block);
  for (; count > 0; --count, source += block, dest += block) {
    XorBytes(source, chain.f, size, dest);
    chain.steps.EncipherBlock(dest);
    feedback.Next(chain.f, dest, block);
  }
}

void EncipherChained(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                     std::size_t count, TCipherMode mode) {
  const std::size_t whole = count - count % chain.blockSize;
  chain.steps.EncipherChainedBlocks(source, dest, whole / chain.blockSize, ChainFeedbackOf(mode));
  if (count > whole) chain.CodeTail(source + whole, dest + whole, count - whole);
}

// Each plain block needs only its cipher block and the chain value before it
// (cmCTS: the xor of the IV and all earlier cipher blocks; cmCBC: the
// previous cipher block), so blocks are deciphered in batches in `dest`,
// with their cipher blocks kept on the stack meanwhile.
void DecipherChained(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                     std::size_t count, TCipherMode mode) {
  if (source != dest) std::memmove(dest, source, count);
  std::uint8_t* data = dest;
  const std::size_t block = chain.blockSize;
  const std::size_t batchBlocks = kDecipherBatchBytes / block;
  std::uint8_t saved[kDecipherBatchBytes];
  while (count >= block) {
    const std::size_t blocks = std::min(batchBlocks, count / block);
    std::memcpy(saved, data, blocks * block);
    chain.steps.DecipherBlocks(data, blocks);
    UnchainBatch(data, saved, chain.f, blocks, block, ChainFeedbackOf(mode));
    data += blocks * block;
    count -= blocks * block;
  }
  if (count > 0) chain.CodeTail(data, data, count);
}

}  // namespace velunor
