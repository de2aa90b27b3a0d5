#pragma once

#include <cstddef>
#include <cstdint>

namespace velunor {

// Table-driven CRCs that take sixteen bytes per step (slicing by 16): each
// byte of a step goes through its own table, which holds the byte's effect
// after the bytes that follow it in the step, so the sixteen look-ups are
// independent of each other. Same results as a byte at a time.

// The reflected CRC-32 (polynomial EDB88320 hex) without initial or final
// inversion.
std::uint32_t UpdateCrc32Sliced(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

// The reflected CRC-16/ARC (polynomial A001 hex) without inversion.
std::uint16_t UpdateCrc16Sliced(std::uint16_t crc, const std::uint8_t* data, std::size_t size);

// The CCITT polynomial 1021 hex in register form: each byte is shifted into
// the low end of the register, register = (register * x^8 + byte) mod P,
// with no closing zero bytes.
std::uint16_t UpdateCcittRegister(std::uint16_t value, const std::uint8_t* data, std::size_t size);
std::uint16_t UpdateCcittRegisterSliced(std::uint16_t value, const std::uint8_t* data,
                                        std::size_t size);

}  // namespace velunor
