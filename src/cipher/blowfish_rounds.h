#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/bit_field_extract.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

// The Blowfish rounds shared by the block steps, the batch routines, the
// chaining and the key schedule. kBitFieldExtract selects the form that takes
// the two middle bytes of a half with one bit-field extract each (see
// ByteOf): on the chain of dependent steps that is one cycle less per round.

namespace velunor::blowfish {

// The round function over the four S-boxes. The byte indices are widened
// before the S-box offset is added, so that the offset folds into the address.
template <bool kBitFieldExtract>
inline std::uint32_t F(const std::uint32_t* s, std::uint32_t x) {
  const std::size_t a = x >> 24;
  const std::size_t b = ByteOf<kBitFieldExtract, 2>(x);
  const std::size_t c = ByteOf<kBitFieldExtract, 1>(x);
  const std::size_t d = x & 0xFF;
  return ((s[a] + s[256 + b]) ^ s[512 + c]) + s[768 + d];
}

// Keeps a lane value in a general register and fixes the order of the xors
// around it. Left alone, the compiler packs the lanes into vector registers,
// where every S-box lookup costs shuffles, or xors the round key in after F,
// on the chain of dependent steps.
inline void KeepInRegister(std::uint32_t& value) {
#if defined(__GNUC__)
  asm("" : "+r"(value));
#endif
}

// The P-array entry of a round: forward to encipher, backward to decipher.
template <bool kForward>
constexpr int KeyIndex(int round) {
  return kForward ? round : 17 - round;
}

// Two rounds per step spare the exchange of the halves (L ^= P[i];
// R ^= P[i+1] ^ F(L); L ^= P[i+2] ^ F(R)), and each P-array entry is xored
// into its half while the F it meets next is still being computed. The last
// entry of that kind, P[16], is already the one of the output; the final
// exchange is undone by handing R out first.
// The sixteen rounds on a left half that already holds P[0] (or P[17]
// backwards); leaves the right half without the last entry (P[17] or P[0]),
// so that callers can xor that entry in wherever it costs least.
template <bool kForward, bool kBitFieldExtract>
inline void CodeRounds(const std::uint32_t* s, const std::uint32_t* p, std::uint32_t& l,
                       std::uint32_t& r) {
#pragma GCC unroll 8
  for (int i = 1; i < 17; i += 2) {
    r ^= p[KeyIndex<kForward>(i)];
    KeepInRegister(r);
    r ^= F<kBitFieldExtract>(s, l);
    l ^= p[KeyIndex<kForward>(i + 1)];
    KeepInRegister(l);
    l ^= F<kBitFieldExtract>(s, r);
  }
}

template <bool kForward, bool kBitFieldExtract>
inline void CodeHalves(const std::uint32_t* s, const std::uint32_t* p, std::uint32_t& left,
                       std::uint32_t& right) {
  std::uint32_t l = left ^ p[KeyIndex<kForward>(0)];
  std::uint32_t r = right;
  CodeRounds<kForward, kBitFieldExtract>(s, p, l, r);
  left = r ^ p[KeyIndex<kForward>(17)];
  right = l;
}

// Codes `kLanes` consecutive blocks at once, round by round across the
// blocks. The rounds of one block depend on each other, the blocks do not,
// so interleaving them keeps the processor busy while S-box look-ups are
// under way.
template <std::size_t kLanes, bool kForward, bool kBitFieldExtract>
inline void CodeLanes(const std::uint32_t* s, const std::uint32_t* p, std::uint8_t* blocks) {
  std::uint32_t l[kLanes];
  std::uint32_t r[kLanes];
#pragma GCC unroll 16
  for (std::size_t k = 0; k < kLanes; ++k) {
    l[k] = LoadBE<std::uint32_t>(blocks + 8 * k) ^ p[KeyIndex<kForward>(0)];
    r[k] = LoadBE<std::uint32_t>(blocks + 8 * k + 4);
  }
  // Eight rounds per loop pass: unrolled further, the code of eight lanes
  // outgrows the processor's cache of decoded instructions.
#pragma GCC unroll 4
  for (int i = 1; i < 17; i += 2) {
    const std::uint32_t toRight = p[KeyIndex<kForward>(i)];
    const std::uint32_t toLeft = p[KeyIndex<kForward>(i + 1)];
#pragma GCC unroll 16
    for (std::size_t k = 0; k < kLanes; ++k) {
      r[k] ^= toRight;
      KeepInRegister(r[k]);
      r[k] ^= F<kBitFieldExtract>(s, l[k]);
      KeepInRegister(r[k]);
    }
#pragma GCC unroll 16
    for (std::size_t k = 0; k < kLanes; ++k) {
      l[k] ^= toLeft;
      KeepInRegister(l[k]);
      l[k] ^= F<kBitFieldExtract>(s, r[k]);
      KeepInRegister(l[k]);
    }
  }
  const std::uint32_t outLeft = p[KeyIndex<kForward>(17)];
#pragma GCC unroll 16
  for (std::size_t k = 0; k < kLanes; ++k) {
    StoreBE(blocks + 8 * k, r[k] ^ outLeft);
    StoreBE(blocks + 8 * k + 4, l[k]);
  }
}

// The key schedule after the key is xored into the P-array: a block starts
// at zero and each encipherment's halves become the next two entries. The
// block stays in registers throughout.
template <bool kBitFieldExtract>
inline void FillKeySchedule(std::uint32_t* s, std::uint32_t* p) {
  std::uint32_t left = 0;
  std::uint32_t right = 0;
  for (int i = 0; i < 18; i += 2) {
    CodeHalves<true, kBitFieldExtract>(s, p, left, right);
    p[i] = left;
    p[i + 1] = right;
  }
  for (int i = 0; i < 4 * 256; i += 2) {
    CodeHalves<true, kBitFieldExtract>(s, p, left, right);
    s[i] = left;
    s[i + 1] = right;
  }
  SecureFill(&left, 0, sizeof left);
  SecureFill(&right, 0, sizeof right);
}

}  // namespace velunor::blowfish
