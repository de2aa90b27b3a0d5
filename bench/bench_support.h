#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "runtime/byte_string.h"

namespace velunor::bench {

inline constexpr std::size_t kMiB = 1 << 20;

// Repeatable, varied bytes to code.
inline ByteString PatternBytes(std::size_t size) {
  ByteString data(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    data[i] = static_cast<char>(i * 131 + (i >> 8));
  return data;
}

// One MiB of pattern bytes, made once.
inline const ByteString& OneMiB() {
  static const ByteString data = PatternBytes(kMiB);
  return data;
}

// A repeatable key of the given size.
inline ByteString PatternKey(std::size_t size) {
  ByteString key(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    key[i] = static_cast<char>(0x5A ^ (i * 29));
  return key;
}

// Reports `bytes` bytes coded per iteration.
inline void SetThroughput(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
}

}  // namespace velunor::bench
