#pragma once

#include "cipher/mode_chain.h"

namespace velunor {

// The byte-wise modes: for every byte W = E(F) is computed, the byte is
// xored with W[0], and F moves one byte toward its start taking in a new
// last byte: the cipher byte in cmCFB, W[0] in cmOFB. Runs may be split
// anywhere.

// `count` bytes from `source` to `dest` (which may be the same memory).
void EncipherCFB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                 std::size_t count);
void DecipherCFB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                 std::size_t count);
// Both directions.
void CodeOFB(TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest, std::size_t count);

}  // namespace velunor
