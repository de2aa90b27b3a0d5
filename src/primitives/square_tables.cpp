// The round tables of Square, computed at compile time from its S-box (the
// SHARK S-box) and the coefficients of theta, c(x) = 02 + 01 x + 01 x^2 +
// 03 x^3, and of theta^-1, d(x) = 0E + 09 x + 0D x^2 + 0B x^3 (J. Daemen,
// L. Knudsen, V. Rijmen, "The Block Cipher Square", FSE 1997).
#include "primitives/shark_sbox.h"
#include "primitives/square_core.h"

namespace velunor {

namespace {

// Entry [k][x]: byte m of the word is coefficient[(m - k) mod 4] * sbox[x].
constexpr SquareRoundTables MakeRoundTables(const std::uint8_t (&coefficient)[4],
                                            const std::uint8_t (&sbox)[256]) {
  SquareRoundTables tables{};
  for (std::size_t k = 0; k < 4; ++k) {
    for (std::size_t x = 0; x < 256; ++x) {
      std::uint32_t word = 0;
      for (std::size_t m = 0; m < 4; ++m) {
        word |= std::uint32_t{SharkFieldMultiply(coefficient[(m + 4 - k) % 4], sbox[x])} << (8 * m);
      }
      tables[k][x] = word;
    }
  }
  return tables;
}

constexpr std::uint8_t kTheta[4] = {0x02, 0x01, 0x01, 0x03};
constexpr std::uint8_t kThetaInverse[4] = {0x0E, 0x09, 0x0D, 0x0B};

}  // namespace

constexpr SquareRoundTables kSquareEncipherTables = MakeRoundTables(kTheta, kSharkSBox);
constexpr SquareRoundTables kSquareDecipherTables =
    MakeRoundTables(kThetaInverse, kSharkSBoxInverse);

}  // namespace velunor
