#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "protection/byte_sink.h"

namespace velunor {

// Collects a streaming coder's output and passes it on to the next sink in
// pieces of some kilobytes, so that small writes do not reach the sink one
// by one.
class OutputBuffer {
 public:
  static constexpr std::size_t kCapacity = std::size_t{64} * 1024;

  explicit OutputBuffer(ByteSink& next) : next_(next), data_(kCapacity) {}

  // Room for `size` more bytes (at most kCapacity); write them, then Commit.
  std::uint8_t* Room(std::size_t size) {
    if (used_ + size > data_.size()) Flush();
    return data_.data() + used_;
  }
  void Commit(std::size_t size) { used_ += size; }
  void Put(std::uint8_t byte) { *Room(1) = byte, ++used_; }

  void Flush() {
    if (used_ == 0) return;
    next_.Write(data_.data(), used_);
    used_ = 0;
  }
  // Flushes, then finishes the next sink.
  void Finish() {
    Flush();
    next_.Finish();
  }

 private:
  ByteSink& next_;
  std::vector<std::uint8_t> data_;
  std::size_t used_ = 0;
};

}  // namespace velunor
