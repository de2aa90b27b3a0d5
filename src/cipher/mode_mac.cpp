#include "cipher/mode_mac.h"

#include "cipher/mode_block_chaining.h"
#include "runtime/support.h"

namespace velunor {

void ChainMAC(TModeChain& chain, const std::uint8_t* data, std::size_t count, TCipherMode mode) {
  std::uint8_t* f = chain.f;
  std::uint8_t* w = chain.w;
  if (mode == cmCFBMAC) {
    for (std::size_t i = 0; i < count; ++i) {
      chain.EncipherChainIntoScratch();
      chain.ShiftChainIn(static_cast<std::uint8_t>(data[i] ^ w[0]));
    }
    return;
  }
  // Whole blocks are enciphered as cmCTS or cmCBC would, into W instead of
  // an output; a partial last block only moves F on by E(F).
  const std::size_t block = chain.blockSize;
  const TChainFeedback feedback = ChainFeedbackOf(mode);
  for (; count >= block; count -= block, data += block) {
    EncipherChainedBlockByBlock(chain, data, w, 1, feedback);
  }
  if (count > 0) {
    chain.EncipherChainIntoScratch();
    XorBytes(w, f, static_cast<std::int32_t>(block), f);
  }
}

}  // namespace velunor
