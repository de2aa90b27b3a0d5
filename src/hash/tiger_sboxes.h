#pragma once

#include <cstdint>

namespace velunor {

// The four S-boxes t1..t4 of Tiger, 256 entries of 64 bits each.
extern const std::uint64_t TigerSBoxes[4][256];

}  // namespace velunor
