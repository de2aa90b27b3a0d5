#include "cipher/mode_ecb.h"

#include <cstring>

namespace velunor {

void CodeECB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest, std::size_t count,
             bool encipher) {
  if (source != dest) std::memmove(dest, source, count);
  const std::size_t blocks = count / chain.blockSize;
  if (encipher) {
    chain.steps.EncipherBlocks(dest, blocks);
  } else {
    chain.steps.DecipherBlocks(dest, blocks);
  }
  const std::size_t tail = count % chain.blockSize;
  if (tail > 0) {
    std::uint8_t* rest = dest + blocks * chain.blockSize;
    chain.CodeTail(rest, rest, tail);
  }
}

}  // namespace velunor
