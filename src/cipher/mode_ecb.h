#pragma once

#include "cipher/mode_chain.h"

namespace velunor {

// cmECB: whole blocks are coded one by one, independently of F. A partial
// last block is coded as in cmCBC, with the key stream E(F), so that it can
// be undone; F moves only there.
void CodeECB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest, std::size_t count,
             bool encipher);

}  // namespace velunor
