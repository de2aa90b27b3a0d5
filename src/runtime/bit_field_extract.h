#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/processor_features.h"

namespace velunor {

// Byte kIndex (0 = lowest) of a word, as a table index. Table-driven rounds
// take several bytes of a word that was computed just before; a shift and a
// zero extension cost two steps on that chain, the extract one. Its result is
// 64 bits wide so that no zero extension follows it. Only use
// kBitFieldExtract = true when ProcessorFeatures().bitFieldExtract is true.
template <bool kBitFieldExtract, unsigned kIndex, class Word>
inline std::size_t ByteOf(Word x) {
#if defined(__x86_64__) && defined(__GNUC__)
  if constexpr (kBitFieldExtract) {
    std::uint64_t byte;
    asm("bextr %2, %1, %0"
        : "=r"(byte)
        : "r"(static_cast<std::uint64_t>(x)), "r"(std::uint64_t{0x0800 | 8 * kIndex}));
    return byte;
  }
#endif
  return static_cast<std::size_t>((x >> (8 * kIndex)) & 0xFF);
}

}  // namespace velunor
