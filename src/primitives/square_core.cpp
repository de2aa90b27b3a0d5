#include "primitives/square_core.h"

#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The key evolution: k0 is the key; k(t) follows from k(t-1) row by row,
// the first row taking the last one rotated by one byte and the round
// constant 2^(t-1) in its first byte.
void ExpandKey(const std::uint8_t* key, SquareRoundKeys& k) {
  LoadLE(k[0], key);
  std::uint32_t constant = 1;
  for (int t = 1; t <= kSquareRounds; ++t, constant <<= 1) {
    k[t][0] = k[t - 1][0] ^ RotateRight32(k[t - 1][3], 8) ^ constant;
    k[t][1] = k[t - 1][1] ^ k[t][0];
    k[t][2] = k[t - 1][2] ^ k[t][1];
    k[t][3] = k[t - 1][3] ^ k[t][2];
  }
}

// theta on each row: the enciphering tables apply it after the S-box, so the
// inverse S-box goes first to cancel that.
void Theta(std::uint32_t* rows) {
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t row = rows[i];
    std::uint32_t mixed = 0;
    for (int k = 0; k < 4; ++k) {
      mixed ^= kSquareEncipherTables[static_cast<std::size_t>(k)]
                                    [kSharkSBoxInverse[square_detail::ByteOf(row, k)]];
    }
    rows[i] = mixed;
  }
}

}  // namespace

void SquareEncipherKeys(const std::uint8_t* key, SquareRoundKeys& roundKeys) {
  ExpandKey(key, roundKeys);
  for (int t = 0; t < kSquareRounds; ++t)
    Theta(roundKeys[t]);
}

void SquareDecipherKeys(const std::uint8_t* key, SquareRoundKeys& roundKeys) {
  SquareRoundKeys k;
  ExpandKey(key, k);
  std::memcpy(roundKeys[0], k[kSquareRounds], sizeof roundKeys[0]);
  for (int t = 1; t < kSquareRounds; ++t)
    std::memcpy(roundKeys[t], k[kSquareRounds - t], sizeof roundKeys[t]);
  std::memcpy(roundKeys[kSquareRounds], k[0], sizeof roundKeys[0]);
  Theta(roundKeys[kSquareRounds]);
  SecureFill(k, 0, sizeof k);
}

}  // namespace velunor
