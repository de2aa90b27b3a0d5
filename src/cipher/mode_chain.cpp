#include "cipher/mode_chain.h"

#include <cstring>

#include "runtime/support.h"

namespace velunor {

void TModeChain::EncipherChainIntoScratch() {
  std::memcpy(w, f, blockSize);
  steps.EncipherBlock(w);
}

void TModeChain::ShiftChainIn(std::uint8_t value) {
  std::memmove(f, f + 1, blockSize - 1);
  f[blockSize - 1] = value;
}

void TModeChain::CodeTail(const std::uint8_t* source, std::uint8_t* dest, std::size_t count) {
  EncipherChainIntoScratch();
  XorBytes(source, w, static_cast<std::int32_t>(count), dest);
  XorBytes(w, f, static_cast<std::int32_t>(blockSize), f);
}

void TChainFeedback::Next(std::uint8_t* chain, const std::uint8_t* cipher, std::size_t size) const {
  if (carriesChain) {
    XorBytes(cipher, chain, static_cast<std::int32_t>(size), chain);
  } else {
    std::memcpy(chain, cipher, size);
  }
}

}  // namespace velunor
