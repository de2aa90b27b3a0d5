#include "cipher/cipher_square.h"

#include "cipher/padded_key.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = 16;
constexpr std::int32_t kMaxKeySize = 16;
constexpr std::int32_t kKeyDataSize = 2 * sizeof(SquareRoundKeys);
static_assert(sizeof(SquareKeySchedule) == kKeyDataSize);

// Self-test bytes: SelfTestInput enciphered in cmCTS under its own first
// 16 bytes as raw key (see cipher_selftest.h).
constexpr std::uint8_t kKnownAnswer[32] = {
    0xDC, 0xB7, 0xF3, 0x79, 0x78, 0x7B, 0xE4, 0x39, 0x5A, 0xCF, 0xB7, 0xEB, 0x7D, 0x00, 0x47, 0xFE,
    0xF9, 0x83, 0xBD, 0x0D, 0x71, 0x29, 0xE2, 0x05, 0xC9, 0x60, 0x49, 0x5D, 0xB0, 0x7D, 0xB8, 0x26};

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

const TCipherClass& TCipher_Square::Class() {
  static const TCipherClass cls("TCipher_Square", &TCipher::Class(),
                                TCipherInfo{kBlockSize, kMaxKeySize, kKeyDataSize}, kKnownAnswer,
                                CreateCipherObject<TCipher_Square>);
  return cls;
}

void TCipher_Square::Init(const void* key, std::int32_t keySize, const void* iv) {
  CheckKeyLength(keySize);
  const TPaddedKey<kMaxKeySize> keyBytes(key, keySize);
  SquareEncipherKeys(keyBytes.Bytes(), EncipherKeys());
  SquareDecipherKeys(keyBytes.Bytes(), DecipherKeys());
  StartChain(iv);
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
