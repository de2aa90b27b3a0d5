#pragma once

#include "cipher/mode_chain.h"

namespace velunor {

// cmCTS and cmCBC. Each whole block P becomes C = E(P xor F); then cmCTS
// chains F = C xor F and cmCBC F = C. A partial last block is coded with the
// key stream E(F) (TModeChain::CodeTail), so the output is exactly as long as
// the input.

// How the chain moves on after a whole block: F = C xor F in cmCTS and
// cmCTSMAC, F = C in cmCBC and cmCBCMAC.
TChainFeedback ChainFeedbackOf(TCipherMode mode);

// `count` bytes from `source` to `dest` (which may be the same memory).
void EncipherChained(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                     std::size_t count, TCipherMode mode);
void DecipherChained(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                     std::size_t count, TCipherMode mode);

// `count` whole blocks chained one block at a time: what
// TBlockSteps::EncipherChainedBlocks does when a cipher has no faster way.
void EncipherChainedBlockByBlock(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                                 std::size_t count, TChainFeedback feedback);

}  // namespace velunor
