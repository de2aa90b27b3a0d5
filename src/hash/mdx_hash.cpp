#include "hash/mdx_hash.h"

#include <cstring>

#include "hash/block_feeder.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::uint32_t kInitialChaining[10] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                                0xC3D2E1F0, 0x76543210, 0xFEDCBA98, 0x89ABCDEF,
                                                0x01234567, 0x3C2D1E0F};

}  // namespace

TMDxHash::~TMDxHash() {
  SecureFill(ChainingState, 0, sizeof ChainingState);
  SecureFill(BlockBuffer, 0, sizeof BlockBuffer);
}

void TMDxHash::ResetBlockState() {
  std::memset(BlockBuffer, 0, sizeof BlockBuffer);
  std::memcpy(ChainingState, kInitialChaining, sizeof ChainingState);
  ByteCount = 0;
}

void TMDxHash::StartDigest() {
  ResetBlockState();
}

void TMDxHash::Absorb(std::span<const std::uint8_t> data) {
  FeedBlockRuns(
      BlockBuffer, ByteCount, data,
      [this](const std::uint8_t* blocks, std::size_t count) { CompressBlocks(blocks, count); });
}

void TMDxHash::PadAndCompress(std::uint8_t padByte, bool lengthBigEndian) {
  const auto used = static_cast<std::size_t>(ByteCount % kBlockSize);
  BlockBuffer[used] = padByte;
  std::memset(BlockBuffer + used + 1, 0, kBlockSize - used - 1);
  if (used >= 56) {
    CompressBlock(BlockBuffer);
    std::memset(BlockBuffer, 0, kBlockSize);
  }
  const std::uint64_t bits = ByteCount * 8;
  if (lengthBigEndian) {
    StoreBE(BlockBuffer + 56, bits);
  } else {
    StoreLE(BlockBuffer + 56, bits);
  }
  CompressBlock(BlockBuffer);
  std::memset(BlockBuffer, 0, kBlockSize);
}

void TMDxHash::CompleteDigest() {
  PadAndCompress(0x80, false);
}

std::uint8_t* TMDxHash::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(ChainingState);
}

void TMDxHash::CompressBlocks(const std::uint8_t* blocks, std::size_t count) {
  for (; count > 0; --count, blocks += kBlockSize)
    CompressBlock(blocks);
}

}  // namespace velunor
