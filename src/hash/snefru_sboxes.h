#pragma once

#include <cstdint>

namespace velunor {

// The sixteen standard Snefru S-boxes; pass p of the mixing uses boxes 2p and
// 2p + 1.
extern const std::uint32_t kSnefruSBoxes[16][256];

}  // namespace velunor
