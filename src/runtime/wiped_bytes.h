#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/support.h"

namespace velunor {

// An allocator that zeroes its memory before it gives it back, so that a
// keyword or a key digest does not linger in freed heap memory, neither when
// its container is destroyed nor when the container grows and moves.
template <class T>
struct TWipingAllocator {
  using value_type = T;

  TWipingAllocator() noexcept = default;
  template <class U>
  TWipingAllocator(const TWipingAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) { return std::allocator<T>{}.allocate(count); }
  void deallocate(T* memory, std::size_t count) noexcept {
    SecureFill(memory, 0, count * sizeof(T));
    std::allocator<T>{}.deallocate(memory, count);
  }

  template <class U>
  bool operator==(const TWipingAllocator<U>&) const noexcept {
    return true;
  }
};

// Secret bytes (key digests, keywords in code page 1252). A vector, not a
// string: a short string would sit inside the object, where no allocator
// sees it.
using TWipedBytes = std::vector<std::uint8_t, TWipingAllocator<std::uint8_t>>;

// The bytes as a string view, for interfaces that take text.
inline std::string_view TextOf(const TWipedBytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The secret bytes of a string, which is zeroed: text that arrived as a
// string (an option, a variable, a line typed) lingers no longer than needed.
inline TWipedBytes TakeWiped(std::string& text) {
  const TWipedBytes bytes(text.begin(), text.end());
  SecureFill(text.data(), 0, text.size());
  text.clear();
  return bytes;
}

}  // namespace velunor
