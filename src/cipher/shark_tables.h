#pragma once

#include <array>
#include <cstdint>

namespace velunor {

// The round tables of SHARK. The cipher works on a 64-bit value whose bytes
// x0..x7 run from the most to the least significant; entry i of a table is
// what input byte x_i contributes to the round result: the S-box (or its
// inverse) followed by column i of the diffusion matrix G (or its inverse).
using SharkRoundTables = std::array<std::array<std::uint64_t, 256>, 8>;
extern const SharkRoundTables kSharkEncipherTables;
extern const SharkRoundTables kSharkDecipherTables;

}  // namespace velunor
