#include "runtime/processor_features.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace velunor {
namespace {

// The features as the kernel reports the processor's flags (the reference:
// the unit asks CPUID and the compiler's run-time checks itself).
TEST(ProcessorFeatures, AsTheKernelReportsThem) {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line) && !line.starts_with("flags")) {
  }
  if (line.empty()) GTEST_SKIP() << "no processor flags in /proc/cpuinfo";
  std::istringstream words(line.substr(line.find(':') + 1));
  std::set<std::string> flags;
  for (std::string flag; words >> flag;)
    flags.insert(flag);
  const auto has = [&](const char* flag) { return flags.contains(flag); };
  const TProcessorFeatures& features = ProcessorFeatures();
  EXPECT_EQ(features.ssse3, has("ssse3"));
  EXPECT_EQ(features.avx2, has("avx2"));
  EXPECT_EQ(features.bitFieldExtract, has("bmi1"));
  EXPECT_EQ(features.carrylessMultiply, has("pclmulqdq") && has("sse4_1"));
  EXPECT_EQ(features.shaExtensions, has("sha_ni") && has("sse4_1"));
}

}  // namespace
}  // namespace velunor
