#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/processor_features.h"

namespace velunor {

// The SHA-1 compression of consecutive 64-byte blocks through the SHA
// extensions; the same result as the portable steps block after block,
// several times faster. Only call it when ProcessorFeatures().shaExtensions is true.
void CompressSha1WithShaExtensions(std::uint32_t* state, const std::uint8_t* blocks,
                                   std::size_t blockCount);

}  // namespace velunor
