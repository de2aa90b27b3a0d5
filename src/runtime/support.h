#pragma once

#include <bit>
#include <cstdint>
#include <string>

#include "runtime/class_ref.h"

namespace velunor {

static_assert(std::endian::native == std::endian::little,
              "the digests are the bytes of native words: a little-endian processor");

inline constexpr std::uint32_t RotateLeft32(std::uint32_t value, std::uint32_t shift) {
  return std::rotl(value, static_cast<int>(shift & 31u));
}

inline constexpr std::uint32_t RotateRight32(std::uint32_t value, std::uint32_t shift) {
  return std::rotr(value, static_cast<int>(shift & 31u));
}

// Bit i of the result is bit 31 - i of value.
std::uint32_t ReverseBits32(std::uint32_t value);

// 0 when the first count bytes are equal, else the first differing byte of a
// minus that of b (unsigned bytes, -255..255).
std::int32_t CompareBytes(const void* a, const void* b, std::int32_t count);

// Dest[i] = A[i] xor B[i]; works from the end, so Dest may alias A or B.
void XorBytes(const void* a, const void* b, std::int32_t count, void* dest);

// Overwrites the buffer with a linear congruential sequence fed by the
// buffer's own bytes; returns the new seed.
std::uint32_t RandomizeBuffer(std::uint32_t seed, void* buffer, std::int32_t size);

// A seed from the time of day (UTC milliseconds) and a high-resolution counter.
std::uint32_t ClockSeed();

// The class name without everything up to and including its first underscore.
std::string ShortClassName(const TClass& cls);
std::string ShortClassName(std::string_view className);

// Whether obj is an instance of cls or of a class derived from it; false for none.
bool IsInstanceOf(const TObject* obj, const TClass& cls) noexcept;

}  // namespace velunor

namespace velunor {

// Overwrites memory in a way the compiler may not leave out, for buffers that
// held key material or digests.
void SecureFill(void* buffer, std::uint8_t value, std::size_t size) noexcept;

}  // namespace velunor
