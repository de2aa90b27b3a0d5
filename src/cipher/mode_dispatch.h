#pragma once

#include "cipher/mode_chain.h"

namespace velunor {

// Enciphers or deciphers `count` bytes from `source` to `dest` (which may be
// the same memory) in the given mode; a MAC mode only moves the chain, the
// same way in both directions. A mode outside the eight does nothing.
void CodeInMode(TCipherMode mode, TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                std::size_t count, bool encipher);

}  // namespace velunor
