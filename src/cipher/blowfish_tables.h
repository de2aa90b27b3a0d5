#pragma once

#include <cstdint>

namespace velunor {

// Starting P-array and S-boxes of the Blowfish key schedule.
extern const std::uint32_t kBlowfishInitialP[18];
extern const std::uint32_t kBlowfishInitialS[4][256];

}  // namespace velunor
