#include "runtime/processor_features.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace velunor {

namespace {

#if defined(__x86_64__) || defined(__i386__)

// Asked through CPUID itself: not every compiler's __builtin_cpu_supports
// knows the SHA extensions (clang 14 does not).
bool QueryShaExtensions() {
  constexpr unsigned kSha = 1u << 29;  // leaf 7 sub-leaf 0, EBX
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
  return (ebx & kSha) != 0;
}

TProcessorFeatures QueryFeatures() {
  __builtin_cpu_init();
  const bool sse41 = __builtin_cpu_supports("sse4.1");
  TProcessorFeatures features;
  features.ssse3 = __builtin_cpu_supports("ssse3");
  features.avx2 = __builtin_cpu_supports("avx2");
  features.bitFieldExtract = __builtin_cpu_supports("bmi");
  features.carrylessMultiply = sse41 && __builtin_cpu_supports("pclmul");
  features.shaExtensions = sse41 && QueryShaExtensions();
  return features;
}

#else

TProcessorFeatures QueryFeatures() {
  return {};
}

#endif

}  // namespace

const TProcessorFeatures& ProcessorFeatures() {
  static const TProcessorFeatures features = QueryFeatures();
  return features;
}

}  // namespace velunor
