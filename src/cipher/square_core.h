#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cipher/shark_sbox.h"

namespace velunor {

// The Square block cipher (J. Daemen, L. Knudsen, V. Rijmen, "The Block
// Cipher Square", FSE 1997) as round code shared by TCipher_Square and
// THash_Square.
//
// The 16 block bytes form a 4x4 state whose row i is bytes 4i..4i+3, held as
// the little-endian word of those bytes; the key likewise. A round is
// theta (a linear map on each row), gamma (the S-box on every byte), pi
// (transposition) and sigma (xor of the round key); the cipher is
// theta^-1, sigma with k0, then 8 rounds. Regrouped so that one table
// look-up per byte does gamma, pi and the next round's theta at once:
//   u = P xor theta(k0); u = T(u) xor theta(kt) for t = 1..7;
//   C = pi(gamma(u)) xor k8.
// Deciphering has the same shape with the inverse S-box and theta^-1:
//   w = C xor k8; w = T'(w) xor kt for t = 7..1; P = pi(gamma^-1(w)) xor theta(k0).
// The round keys are stored in that order for either direction.

inline constexpr int kSquareRounds = 8;

using SquareBlock = std::uint32_t[4];
using SquareRoundKeys = std::uint32_t[kSquareRounds + 1][4];

// Square's S-box is SHARK's (kSharkSBox).
//
// Entry [k][x]: what byte x in row k of the state adds to one output row:
// the S-box (or its inverse) followed by theta (or theta^-1), rotated by
// 8k bits.
using SquareRoundTables = std::array<std::array<std::uint32_t, 256>, 4>;
extern const SquareRoundTables kSquareEncipherTables;
extern const SquareRoundTables kSquareDecipherTables;

// The round keys for enciphering and for deciphering from a 16-byte key.
void SquareEncipherKeys(const std::uint8_t* key, SquareRoundKeys& roundKeys);
void SquareDecipherKeys(const std::uint8_t* key, SquareRoundKeys& roundKeys);

namespace square_detail {

inline std::size_t ByteOf(std::uint32_t word, int index) {
  return (word >> (8 * index)) & 0xFF;
}

// Output row j of a full round: byte j of every input row through the tables.
inline std::uint32_t RoundRow(const SquareRoundTables& t, const std::uint32_t* u, int j) {
  return t[0][ByteOf(u[0], j)] ^ t[1][ByteOf(u[1], j)] ^ t[2][ByteOf(u[2], j)] ^
         t[3][ByteOf(u[3], j)];
}

// Output row j of the last round: byte j of every input row through the S-box.
inline std::uint32_t LastRow(const std::uint8_t* sbox, const std::uint32_t* u, int j) {
  return std::uint32_t{sbox[ByteOf(u[0], j)]} | std::uint32_t{sbox[ByteOf(u[1], j)]} << 8 |
         std::uint32_t{sbox[ByteOf(u[2], j)]} << 16 | std::uint32_t{sbox[ByteOf(u[3], j)]} << 24;
}

}  // namespace square_detail

// Codes `lanes` independent blocks side by side (their look-ups overlap),
// with the round keys and tables of one direction.
template <std::size_t lanes>
inline void SquareCodeLanes(const SquareRoundTables& tables, const std::uint8_t* sbox,
                            const SquareRoundKeys& k, std::uint32_t (*u)[4]) {
  using square_detail::LastRow;
  using square_detail::RoundRow;
  for (std::size_t n = 0; n < lanes; ++n) {
    for (int j = 0; j < 4; ++j)
      u[n][j] ^= k[0][j];
  }
  for (int round = 1; round < kSquareRounds; ++round) {
    for (std::size_t n = 0; n < lanes; ++n) {
      const std::uint32_t v[4] = {RoundRow(tables, u[n], 0), RoundRow(tables, u[n], 1),
                                  RoundRow(tables, u[n], 2), RoundRow(tables, u[n], 3)};
      for (int j = 0; j < 4; ++j)
        u[n][j] = v[j] ^ k[round][j];
    }
  }
  for (std::size_t n = 0; n < lanes; ++n) {
    const std::uint32_t v[4] = {LastRow(sbox, u[n], 0), LastRow(sbox, u[n], 1),
                                LastRow(sbox, u[n], 2), LastRow(sbox, u[n], 3)};
    for (int j = 0; j < 4; ++j)
      u[n][j] = v[j] ^ k[kSquareRounds][j];
  }
}

inline void SquareEncipher(const SquareRoundKeys& k, SquareBlock& block) {
  SquareCodeLanes<1>(kSquareEncipherTables, kSharkSBox, k, &block);
}

inline void SquareDecipher(const SquareRoundKeys& k, SquareBlock& block) {
  SquareCodeLanes<1>(kSquareDecipherTables, kSharkSBoxInverse, k, &block);
}

}  // namespace velunor
