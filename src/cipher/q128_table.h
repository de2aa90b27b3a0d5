#pragma once

#include <cstdint>

namespace velunor {

// The fixed Q128 table: 1024 words indexed by the low 10 bits of a block word.
extern const std::uint32_t kQ128Table[1024];

}  // namespace velunor
