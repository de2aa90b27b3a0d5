#include "cipher/mode_byte_feedback.h"

namespace velunor {

void EncipherCFB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                 std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    chain.EncipherChainIntoScratch();
    const auto c = static_cast<std::uint8_t>(source[i] ^ chain.w[0]);
    chain.ShiftChainIn(c);
    dest[i] = c;
  }
}

void DecipherCFB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                 std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    chain.EncipherChainIntoScratch();
    const std::uint8_t c = source[i];
    chain.ShiftChainIn(c);
    dest[i] = static_cast<std::uint8_t>(c ^ chain.w[0]);
  }
}

void CodeOFB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    chain.EncipherChainIntoScratch();
    const std::uint8_t key = chain.w[0];
    chain.ShiftChainIn(key);
    dest[i] = static_cast<std::uint8_t>(source[i] ^ key);
  }
}

}  // namespace velunor
