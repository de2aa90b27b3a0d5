#include "runtime/support.h"

#include <array>
#include <chrono>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace velunor {

namespace {

constexpr std::array<std::uint32_t, 256> MakeReflectedTable(std::uint32_t polynomial) {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t value = i;
    for (int bit = 0; bit < 8; ++bit)
      value = (value & 1u) ? (value >> 1) ^ polynomial : value >> 1;
    table[i] = value;
  }
  return table;
}

constexpr auto kCrc16Table = MakeReflectedTable(0xA001u);
constexpr auto kCrc32Table = MakeReflectedTable(0xEDB88320u);

}  // namespace

void SwapBytes32Buffer(const std::uint32_t* source, std::uint32_t* dest, std::int32_t count) {
  for (std::int32_t i = count - 1; i >= 0; --i)
    dest[i] = SwapBytes32(source[i]);
}

std::uint32_t ReverseBits32(std::uint32_t value) {
  value = SwapBytes32(value);
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

std::int32_t DetectProcessorClass() {
#if defined(__x86_64__) || defined(__i386__)
  // Every x86-64 processor has the byte-swap and identification instructions,
  // so only the family field of identification leaf 1 is of interest.
  unsigned eax = 0;
  unsigned ebx = 0;
  unsigned ecx = 0;
  unsigned edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0)
    return static_cast<std::int32_t>((eax >> 8) & 0xFu);
  return 4;
#else
  return 6;  // no processor identification: any class above 3 selects the fast routines
#endif
}

std::int32_t ProcessorClass() {
  static const std::int32_t processorClass = DetectProcessorClass();
  return processorClass;
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

std::uint32_t UpdateCrc16(std::uint32_t crc, const void* data, std::int32_t size) {
  if (data == nullptr || size <= 0) return crc;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::uint32_t low = crc & 0xFFFFu;
  for (std::int32_t i = 0; i < size; ++i)
    low = (low >> 8) ^ kCrc16Table[(low ^ bytes[i]) & 0xFFu];
  return (crc & 0xFFFF0000u) | (low & 0xFFFFu);
}

std::uint32_t UpdateCrc32(std::uint32_t crc, const void* data, std::int32_t size) {
  if (data == nullptr || size <= 0) return crc;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  for (std::int32_t i = 0; i < size; ++i)
    crc = (crc >> 8) ^ kCrc32Table[(crc ^ bytes[i]) & 0xFFu];
  return crc;
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
