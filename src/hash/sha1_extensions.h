#pragma once

#include <cstdint>

namespace velunor {

// Whether this processor has the SHA extensions (SHA-NI), checked once.
bool ProcessorHasShaExtensions();

// The SHA-1 compression of one 64-byte block through the SHA extensions;
// the same result as the portable steps, several times faster. Only call it
// when ProcessorHasShaExtensions() is true.
void CompressSha1WithShaExtensions(std::uint32_t* state, const std::uint8_t* block);

}  // namespace velunor
