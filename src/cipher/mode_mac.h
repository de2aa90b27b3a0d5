#pragma once

#include "cipher/mode_chain.h"

namespace velunor {

// The MAC modes read their data and never write it; the value is F after
// the data. cmCTSMAC and cmCBCMAC chain whole blocks as cmCTS and cmCBC do
// (W = E(P xor F), then F = W xor F or F = W); a partial last block counts
// only by being there: F = E(F) xor F, whatever its bytes. cmCFBMAC feeds
// every byte back as cmCFB does.
void ChainMAC(TModeChain& chain, const std::uint8_t* data, std::size_t count, TCipherMode mode);

}  // namespace velunor
