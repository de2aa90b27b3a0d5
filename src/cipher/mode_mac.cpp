#include "cipher/mode_mac.h"

#include <cstring>

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
  const std::size_t block = chain.blockSize;
  const auto size = static_cast<std::int32_t>(block);
  for (; count >= block; count -= block, data += block) {
    XorBytes(data, f, size, w);
    chain.steps.EncipherBlock(w);
    if (mode == cmCTSMAC) {
      XorBytes(w, f, size, f);
    } else {
      std::memcpy(f, w, block);
    }
  }
  if (count > 0) {
    chain.EncipherChainIntoScratch();
    XorBytes(w, f, size, f);
  }
}

}  // namespace velunor
