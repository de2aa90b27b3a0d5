#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "primitives/shark_sbox.h"

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

// The state: its four rows.
struct SquareState {
  std::uint32_t r0, r1, r2, r3;
};

namespace square_detail {

inline std::size_t ByteOf(std::uint32_t word, int index) {
  return (word >> (8 * index)) & 0xFF;
}

// Output row j of a full round: byte j of every input row through the tables.
inline std::uint32_t RoundRow(const SquareRoundTables& t, const SquareState& u, int j) {
  return t[0][ByteOf(u.r0, j)] ^ t[1][ByteOf(u.r1, j)] ^ t[2][ByteOf(u.r2, j)] ^
         t[3][ByteOf(u.r3, j)];
}

// Output row j of the last round: byte j of every input row through the S-box.
inline std::uint32_t LastRow(const std::uint8_t* sbox, const SquareState& u, int j) {
  return std::uint32_t{sbox[ByteOf(u.r0, j)]} | std::uint32_t{sbox[ByteOf(u.r1, j)]} << 8 |
         std::uint32_t{sbox[ByteOf(u.r2, j)]} << 16 | std::uint32_t{sbox[ByteOf(u.r3, j)]} << 24;
}

inline SquareState AddKey(const SquareState& u, const std::uint32_t* k) {
  return {u.r0 ^ k[0], u.r1 ^ k[1], u.r2 ^ k[2], u.r3 ^ k[3]};
}

inline SquareState FullRound(const SquareRoundTables& t, const SquareState& u,
                             const std::uint32_t* k) {
  return {RoundRow(t, u, 0) ^ k[0], RoundRow(t, u, 1) ^ k[1], RoundRow(t, u, 2) ^ k[2],
          RoundRow(t, u, 3) ^ k[3]};
}

inline SquareState LastRound(const std::uint8_t* sbox, const SquareState& u,
                             const std::uint32_t* k) {
  return {LastRow(sbox, u, 0) ^ k[0], LastRow(sbox, u, 1) ^ k[1], LastRow(sbox, u, 2) ^ k[2],
          LastRow(sbox, u, 3) ^ k[3]};
}

}  // namespace square_detail

// Codes one block with the round keys, tables and S-box of one direction.
inline SquareState SquareCode(const SquareRoundTables& tables, const std::uint8_t* sbox,
                              const SquareRoundKeys& k, SquareState u) {
  using namespace square_detail;
  u = AddKey(u, k[0]);
  for (int round = 1; round < kSquareRounds; ++round)
    u = FullRound(tables, u, k[round]);
  return LastRound(sbox, u, k[kSquareRounds]);
}

// Codes two independent blocks side by side, so that their look-ups overlap.
inline void SquareCodeTwo(const SquareRoundTables& tables, const std::uint8_t* sbox,
                          const SquareRoundKeys& k, SquareState& a, SquareState& b) {
  using namespace square_detail;
  SquareState u = AddKey(a, k[0]);
  SquareState v = AddKey(b, k[0]);
  for (int round = 1; round < kSquareRounds; ++round) {
    u = FullRound(tables, u, k[round]);
    v = FullRound(tables, v, k[round]);
  }
  a = LastRound(sbox, u, k[kSquareRounds]);
  b = LastRound(sbox, v, k[kSquareRounds]);
}

// Enciphers one block with round keys from SquareEncipherKeys.
inline SquareState SquareEncipher(const SquareRoundKeys& k, const SquareState& block) {
  return SquareCode(kSquareEncipherTables, kSharkSBox, k, block);
}

}  // namespace velunor
