#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/processor_features.h"

namespace velunor {

// The reflected CRC-32 (polynomial EDB88320 hex, no initial or final
// inversion) by folding 64 bytes at a time with carry-less multiplication;
// the same result as UpdateCrc32Sliced, several times faster on long runs.
// Only call it when ProcessorFeatures().carrylessMultiply is true.
std::uint32_t UpdateCrc32Clmul(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

// The CRC-32 register after `size` bytes: carry-less multiplication where the
// processor has it and the run is long enough to pay, otherwise the tables.
std::uint32_t UpdateCrc32Fast(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

}  // namespace velunor
