#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "runtime/support.h"

namespace velunor {

// A key as a key schedule reads it: its first bytes (at most kSize),
// then zero bytes up to kSize. Overwritten when it goes, as it holds the key.
template <std::size_t kSize>
class TPaddedKey {
 public:
  explicit TPaddedKey(std::span<const std::uint8_t> key) {
    if (!key.empty()) std::memcpy(bytes_, key.data(), std::min(key.size(), kSize));
  }
  ~TPaddedKey() { SecureFill(bytes_, 0, kSize); }
  TPaddedKey(const TPaddedKey&) = delete;
  TPaddedKey& operator=(const TPaddedKey&) = delete;

  const std::uint8_t* Bytes() const { return bytes_; }

 private:
  std::uint8_t bytes_[kSize] = {};
};

}  // namespace velunor
