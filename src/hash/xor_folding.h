#pragma once

#include <cstddef>
#include <cstdint>

namespace velunor {

// The rotate-and-XOR checksums, step by step and folded. A step rotates the
// register and XORs the next input unit into it, so every unit ends up
// rotated by 5 bits for each unit after it. The rotations repeat after 16
// bytes (16 bits, 5 * 16 = 80 = 5 turns) and after 32 words (32 bits), so
// the folded forms first XOR together the units of equal position in that
// period, which runs at the speed of memory, and rotate each position once.

// 16-bit register, one byte per step: rotate left by 5, XOR the byte.
std::uint16_t UpdateXor16(std::uint16_t value, const std::uint8_t* data, std::size_t size);
std::uint16_t UpdateXor16Folded(std::uint16_t value, const std::uint8_t* data, std::size_t size);

// 32-bit register, one 16-bit little-endian word per step: rotate left by 5,
// XOR the word. `data` holds 2 * wordCount bytes.
std::uint32_t UpdateXor32(std::uint32_t value, const std::uint8_t* data, std::size_t wordCount);
std::uint32_t UpdateXor32Folded(std::uint32_t value, const std::uint8_t* data,
                                std::size_t wordCount);

}  // namespace velunor
