#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace velunor {

// The buffering shared by the block hashes: a leading partial block is
// completed in the block buffer, whole blocks are compressed straight from the
// caller's memory as one run and the rest waits in the block buffer.
// `compressRun(blocks, count)` compresses `count` consecutive blocks in order.
template <std::size_t kBlockSize, class CompressRun>
void FeedBlockRuns(std::uint8_t (&blockBuffer)[kBlockSize], std::uint64_t& byteCount,
                   std::span<const std::uint8_t> bytes, CompressRun&& compressRun) {
  if (bytes.empty()) return;
  const std::uint8_t* data = bytes.data();
  std::size_t left = bytes.size();
  const auto used = static_cast<std::size_t>(byteCount % kBlockSize);
  byteCount += left;
  if (used > 0) {
    if (left < kBlockSize - used) {
      std::memmove(blockBuffer + used, data, left);
      return;
    }
    std::memmove(blockBuffer + used, data, kBlockSize - used);
    data += kBlockSize - used;
    left -= kBlockSize - used;
    compressRun(blockBuffer, std::size_t{1});
  }
  if (const std::size_t blocks = left / kBlockSize; blocks > 0) {
    compressRun(data, blocks);
    data += blocks * kBlockSize;
    left -= blocks * kBlockSize;
  }
  std::memmove(blockBuffer, data, left);
}

// The same, with `compress(block)` called block by block. Bytes are taken
// from the source in order as the work proceeds, so a source that a
// compression changes (the digest itself) is read as it stands at that moment.
template <std::size_t kBlockSize, class Compress>
void FeedBlocks(std::uint8_t (&blockBuffer)[kBlockSize], std::uint64_t& byteCount,
                std::span<const std::uint8_t> bytes, Compress&& compress) {
  FeedBlockRuns(blockBuffer, byteCount, bytes,
                [&compress](const std::uint8_t* blocks, std::size_t count) {
                  for (; count > 0; --count, blocks += kBlockSize)
                    compress(blocks);
                });
}

}  // namespace velunor
