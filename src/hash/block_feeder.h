#pragma once

#include <cstdint>
#include <cstring>

namespace velunor {

// The buffering shared by the block hashes: a leading partial block is
// completed in the block buffer, whole blocks are compressed straight from the
// caller's memory and the rest waits in the block buffer. Bytes are taken from
// the source in order as the work proceeds, so a source that a compression
// changes (the digest itself) is read as it stands at that moment.
template <std::size_t kBlockSize, class Compress>
void FeedBlocks(std::uint8_t (&blockBuffer)[kBlockSize], std::uint64_t& byteCount,
                const void* buffer, std::int32_t length, Compress&& compress) {
  if (length <= 0) return;
  const auto* data = static_cast<const std::uint8_t*>(buffer);
  auto left = static_cast<std::size_t>(length);
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
    compress(blockBuffer);
  }
  for (; left >= kBlockSize; left -= kBlockSize, data += kBlockSize)
    compress(data);
  std::memmove(blockBuffer, data, left);
}

}  // namespace velunor
