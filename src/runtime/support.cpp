#include "runtime/support.h"

#include <chrono>
#include <cstring>

#include "runtime/byte_order.h"

namespace velunor {

std::uint32_t ReverseBits32(std::uint32_t value) {
  value = SwapBytes(value);
  value = ((value & 0xAAAAAAAAu) >> 1) | ((value & 0x55555555u) << 1);
  value = ((value & 0xCCCCCCCCu) >> 2) | ((value & 0x33333333u) << 2);
  value = ((value & 0xF0F0F0F0u) >> 4) | ((value & 0x0F0F0F0Fu) << 4);
  return value;
}

std::int32_t CompareBytes(const void* a, const void* b, std::int32_t count) {
  const auto* pa = static_cast<const std::uint8_t*>(a);
  const auto* pb = static_cast<const std::uint8_t*>(b);
  for (std::int32_t i = 0; i < count; ++i) {
    if (pa[i] != pb[i]) return static_cast<std::int32_t>(pa[i]) - static_cast<std::int32_t>(pb[i]);
  }
  return 0;
}

void XorBytes(const void* a, const void* b, std::int32_t count, void* dest) {
  const auto* pa = static_cast<const std::uint8_t*>(a);
  const auto* pb = static_cast<const std::uint8_t*>(b);
  auto* pd = static_cast<std::uint8_t*>(dest);
  if (count <= 0) return;  // a negative count would run the loops below off the front
  std::int32_t i = count;
  for (; i % 4 != 0; --i)
    pd[i - 1] = static_cast<std::uint8_t>(pa[i - 1] ^ pb[i - 1]);
  for (; i > 0; i -= 4) {
    std::uint32_t wa;
    std::uint32_t wb;
    std::memcpy(&wa, pa + i - 4, 4);
    std::memcpy(&wb, pb + i - 4, 4);
    wa ^= wb;
    std::memcpy(pd + i - 4, &wa, 4);
  }
}

std::uint32_t RandomizeBuffer(std::uint32_t seed, void* buffer, std::int32_t size) {
  if (buffer == nullptr || size <= 0) return seed;
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  for (std::int32_t i = 0; i < size; ++i) {
    seed ^= bytes[i];
    seed = seed * 134775813u + 1u;
    bytes[i] = static_cast<std::uint8_t>(seed >> 24);
  }
  return seed;
}

std::uint32_t ClockSeed() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto sinceMidnight = now - floor<days>(now);
  const auto milliseconds =
      static_cast<std::uint32_t>(duration_cast<std::chrono::milliseconds>(sinceMidnight).count());
  const auto counter = static_cast<std::uint64_t>(steady_clock::now().time_since_epoch().count());
  return milliseconds ^ static_cast<std::uint32_t>(counter) ^
         static_cast<std::uint32_t>(counter >> 32);
}

std::string ShortClassName(std::string_view className) {
  const auto underscore = className.find('_');
  if (underscore == std::string_view::npos) return std::string(className);
  return std::string(className.substr(underscore + 1));
}

std::string ShortClassName(const TClass& cls) {
  return ShortClassName(cls.ClassName());
}

bool IsInstanceOf(const TObject* obj, const TClass& cls) noexcept {
  return obj != nullptr && obj->ClassType().InheritsFrom(cls);
}

}  // namespace velunor

namespace velunor {

// Where the compiler knows inline assembly, a plain fill followed by an
// empty statement that claims to read the memory: the fill then cannot be
// left out, and it runs at the speed of memset instead of byte by byte.
void SecureFill(void* buffer, std::uint8_t value, std::size_t size) noexcept {
#if defined(__GNUC__)
  std::memset(buffer, value, size);
  asm volatile("" : : "r"(buffer) : "memory");
#else
  volatile auto* bytes = static_cast<volatile std::uint8_t*>(buffer);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = value;
#endif
}

}  // namespace velunor
