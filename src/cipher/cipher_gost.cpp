#include "cipher/cipher_gost.h"

#include <array>

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kMaxKeySize = TCipher_Gost::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_Gost::kInfo.KeyDataSize;
static_assert(sizeof(GostKeySchedule) == kKeyDataSize);

// The eight 4-bit S-boxes; box 1 substitutes the lowest four bits.
constexpr std::uint8_t kSBoxes[8][16] = {
    {4, 10, 9, 2, 13, 8, 0, 14, 6, 11, 1, 12, 7, 15, 5, 3},
    {14, 11, 4, 12, 6, 13, 15, 10, 2, 3, 8, 1, 0, 7, 5, 9},
    {5, 8, 1, 13, 10, 3, 4, 2, 14, 15, 12, 7, 6, 0, 9, 11},
    {7, 13, 10, 1, 0, 8, 9, 15, 14, 4, 6, 12, 11, 2, 5, 3},
    {6, 12, 7, 1, 5, 15, 13, 8, 4, 10, 9, 14, 0, 3, 11, 2},
    {4, 11, 10, 0, 7, 2, 1, 13, 3, 6, 8, 5, 9, 12, 15, 14},
    {13, 11, 4, 1, 3, 15, 5, 9, 0, 10, 14, 7, 6, 8, 2, 12},
    {1, 15, 13, 0, 5, 7, 10, 4, 9, 2, 3, 14, 6, 11, 8, 12},
};

using ByteTables = std::array<std::array<std::uint32_t, 256>, 4>;

// Table t substitutes byte t of the round function's argument through
// S-boxes 2t+1 and 2t+2 and applies the rotation by 11 bits, so that
// f(x) is the xor of four table entries.
constexpr ByteTables MakeByteTables() {
  ByteTables tables{};
  for (std::uint32_t t = 0; t < 4; ++t) {
    for (std::uint32_t b = 0; b < 256; ++b) {
      const std::uint32_t low = kSBoxes[2 * t][b & 15];
      const std::uint32_t high = kSBoxes[2 * t + 1][b >> 4];
      tables[t][b] = RotateLeft32((high << 4 | low) << (8 * t), 11);
    }
  }
  return tables;
}

constexpr ByteTables kTables = MakeByteTables();

inline std::uint32_t F(std::uint32_t x) {
  return kTables[0][x & 0xFF] ^ kTables[1][(x >> 8) & 0xFF] ^ kTables[2][(x >> 16) & 0xFF] ^
         kTables[3][x >> 24];
}

// Eight rounds with the key words K0..K7 (ascending) or K7..K0 (descending),
// on `lanes` independent blocks; each lane's (a, b) pair alternates roles.
template <std::size_t lanes>
inline void EightRounds(const std::uint32_t* k, bool ascending, std::uint32_t* a,
                        std::uint32_t* b) {
  for (int i = 0; i < 8; i += 2) {
    const std::uint32_t k1 = ascending ? k[i] : k[7 - i];
    const std::uint32_t k2 = ascending ? k[i + 1] : k[6 - i];
    for (std::size_t l = 0; l < lanes; ++l) {
      b[l] ^= F(a[l] + k1);
      a[l] ^= F(b[l] + k2);
    }
  }
}

// Enciphering runs the key words forward three times, then backward;
// deciphering runs them forward once, then backward three times.
template <std::size_t lanes>
inline void CodeLanes(const std::uint32_t* k, bool encipher, std::uint8_t* blocks) {
  std::uint32_t n1[lanes];
  std::uint32_t n2[lanes];
  for (std::size_t l = 0; l < lanes; ++l) {
    n1[l] = LoadLE<std::uint32_t>(blocks + 8 * l);
    n2[l] = LoadLE<std::uint32_t>(blocks + 8 * l + 4);
  }
  const int forwardPasses = encipher ? 3 : 1;
  for (int pass = 0; pass < 4; ++pass)
    EightRounds<lanes>(k, pass < forwardPasses, n1, n2);
  for (std::size_t l = 0; l < lanes; ++l) {
    StoreLE(blocks + 8 * l, n2[l]);
    StoreLE(blocks + 8 * l + 4, n1[l]);
  }
}

void CodeBlocks(const std::uint32_t* k, bool encipher, std::uint8_t* blocks, std::size_t count) {
  constexpr std::size_t kLanes = 8;
  for (; count >= kLanes; count -= kLanes, blocks += 8 * kLanes)
    CodeLanes<kLanes>(k, encipher, blocks);
  for (; count > 0; --count, blocks += 8)
    CodeLanes<1>(k, encipher, blocks);
}

}  // namespace

// The key words are read little-endian; missing key bytes count as zero bytes.
void TCipher_Gost::ScheduleKey(std::span<const std::uint8_t> key) {
  const TPaddedKey<kMaxKeySize> keyBytes(key);
  LoadLE(KeySchedule().keyWords, keyBytes.Bytes());
}

void TCipher_Gost::EncipherBlock(std::uint8_t* block) {
  CodeLanes<1>(KeyWords(), true, block);
}

void TCipher_Gost::DecipherBlock(std::uint8_t* block) {
  CodeLanes<1>(KeyWords(), false, block);
}

void TCipher_Gost::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks(KeyWords(), true, blocks, count);
}

void TCipher_Gost::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks(KeyWords(), false, blocks, count);
}

}  // namespace velunor
