#pragma once

#include <cstdint>

namespace velunor {

// exp[x] = 45^x mod 257 (256 stored as 0) and its inverse, log[exp[x]] = x.
extern const std::uint8_t kSaferExp[256];
extern const std::uint8_t kSaferLog[256];

}  // namespace velunor
