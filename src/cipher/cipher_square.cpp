#include "cipher/cipher_square.h"

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = TCipher_Square::kInfo.BlockSize;
constexpr std::int32_t kMaxKeySize = TCipher_Square::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_Square::kInfo.KeyDataSize;
static_assert(sizeof(SquareKeySchedule) == kKeyDataSize);

static_assert(sizeof(SquareState) == kBlockSize);

// Row i of the state is the little-endian word of bytes 4i..4i+3.
inline SquareState Load(const std::uint8_t* block) {
  return LoadLEWords<SquareState>(block);
}

inline void Store(std::uint8_t* block, const SquareState& u) {
  StoreLEWords(block, u);
}

void CodeBlocks(const SquareRoundTables& tables, const std::uint8_t* sbox, const SquareRoundKeys& k,
                std::uint8_t* blocks, std::size_t count) {
  for (; count >= 2; count -= 2, blocks += 2 * kBlockSize) {
    SquareState u0 = Load(blocks);
    SquareState u1 = Load(blocks + kBlockSize);
    SquareCodeTwo(tables, sbox, k, u0, u1);
    Store(blocks, u0);
    Store(blocks + kBlockSize, u1);
  }
  if (count > 0) Store(blocks, SquareCode(tables, sbox, k, Load(blocks)));
}

}  // namespace

void TCipher_Square::ScheduleKey(std::span<const std::uint8_t> key) {
  const TPaddedKey<kMaxKeySize> keyBytes(key);
  SquareEncipherKeys(keyBytes.Bytes(), EncipherKeys());
  SquareDecipherKeys(keyBytes.Bytes(), DecipherKeys());
}

void TCipher_Square::EncipherBlock(std::uint8_t* block) {
  EncipherBlocks(block, 1);
}

void TCipher_Square::DecipherBlock(std::uint8_t* block) {
  DecipherBlocks(block, 1);
}

void TCipher_Square::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks(kSquareEncipherTables, kSharkSBox, EncipherKeys(), blocks, count);
}

void TCipher_Square::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks(kSquareDecipherTables, kSharkSBoxInverse, DecipherKeys(), blocks, count);
}

}  // namespace velunor
