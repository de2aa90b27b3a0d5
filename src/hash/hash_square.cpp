#include "hash/hash_square.h"

#include <cstring>

#include "hash/block_feeder.h"
#include "primitives/square_core.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::uint32_t kInitialChaining[4] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};

// The last block holds the length in bytes 8..15; the padding byte must fit before it.
constexpr std::size_t kLengthOffset = 8;

}  // namespace

THash_Square::~THash_Square() {
  SecureFill(ChainingState, 0, sizeof ChainingState);
  SecureFill(BlockBuffer, 0, sizeof BlockBuffer);
}

void THash_Square::StartDigest() {
  std::memset(BlockBuffer, 0, sizeof BlockBuffer);
  std::memcpy(ChainingState, kInitialChaining, sizeof ChainingState);
  ByteCount = 0;
}

void THash_Square::Absorb(std::span<const std::uint8_t> data) {
  FeedBlocks(BlockBuffer, ByteCount, data,
             [this](const std::uint8_t* block) { CompressBlock(block); });
}

void THash_Square::CompleteDigest() {
  const auto used = static_cast<std::size_t>(ByteCount % kBlockSize);
  BlockBuffer[used] = 0x80;
  std::memset(BlockBuffer + used + 1, 0, kBlockSize - used - 1);
  if (used >= kLengthOffset) {
    CompressBlock(BlockBuffer);
    std::memset(BlockBuffer, 0, kBlockSize);
  }
  StoreLE(BlockBuffer + kLengthOffset, ByteCount * 8);
  CompressBlock(BlockBuffer);
  std::memset(BlockBuffer, 0, kBlockSize);
}

std::uint8_t* THash_Square::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(ChainingState);
}

// Davies-Meyer: the block keys Square, which enciphers the chaining value.
// The round keys are taken from the block before the chaining value changes,
// since the block may be the digest itself.
void THash_Square::CompressBlock(const std::uint8_t* block) {
  SquareRoundKeys roundKeys;
  SquareEncipherKeys(block, roundKeys);
  const SquareState chaining{ChainingState[0], ChainingState[1], ChainingState[2],
                             ChainingState[3]};
  const SquareState enciphered = SquareEncipher(roundKeys, chaining);
  ChainingState[0] ^= enciphered.r0;
  ChainingState[1] ^= enciphered.r1;
  ChainingState[2] ^= enciphered.r2;
  ChainingState[3] ^= enciphered.r3;
}

}  // namespace velunor
