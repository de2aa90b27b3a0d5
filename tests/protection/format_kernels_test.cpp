// Every set of base-64 and hex inner loops that this processor runs gives the
// portable loops' digits and bytes, and stops at the same group before a
// character that is not a digit (the characters next to the digit ranges).
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <vector>

#include "protection/base64_kernels.h"
#include "protection/hex_kernels.h"
#include "support/test_support.h"

namespace velunor {
namespace {

TEST(Base64Kernels, AgreeWithThePortableLoops) {
  const std::vector<Base64Kernels> kernels = RunnableBase64Kernels();
  const Base64Kernels& portable = kernels.back();
  const char strangers[] = {'@', '[', '`', '{',  '.',    ':',    '*',
                            ',', '=', ' ', '\0', '\x7F', '\x80', '\xFF'};
  std::mt19937 random(3);
  for (const Base64Kernels& kernel : kernels) {
    for (std::size_t groups = 0; groups <= 70; ++groups) {
      SCOPED_TRACE(std::string(kernel.name) + ", groups " + std::to_string(groups));
      const ByteString data = test::PatternBytes(3 * groups, static_cast<std::uint32_t>(groups));
      std::vector<std::uint8_t> text(4 * groups), expected(4 * groups);
      kernel.encode(BytesOf(data), groups, text.data());
      portable.encode(BytesOf(data), groups, expected.data());
      ASSERT_EQ(text, expected);

      std::vector<std::uint8_t> back(3 * groups + 32);
      ASSERT_EQ(kernel.decode(text.data(), groups, back.data()), groups);
      ASSERT_EQ(ByteString(back.begin(), back.begin() + static_cast<long>(3 * groups)), data);
      if (groups == 0) continue;
      const std::size_t at = random() % text.size();
      text[at] = static_cast<std::uint8_t>(strangers[random() % sizeof(strangers)]);
      ASSERT_EQ(kernel.decode(text.data(), groups, back.data()), at / 4) << "at " << at;
      ASSERT_EQ(ByteString(back.begin(), back.begin() + static_cast<long>(at / 4 * 3)),
                data.substr(0, at / 4 * 3));
    }
  }
}

TEST(HexKernels, AgreeWithThePortableLoops) {
  const std::vector<HexKernels> kernels = RunnableHexKernels();
  const HexKernels& portable = kernels.back();
  const char strangers[] = {'/', ':', '@', 'G', '`', 'g', 'x', ' ', '\0', '\x80', '\xC6', '\xE6'};
  std::mt19937 random(5);
  for (const HexKernels& kernel : kernels) {
    for (std::size_t size = 0; size <= 100; ++size) {
      SCOPED_TRACE(std::string(kernel.name) + ", size " + std::to_string(size));
      const ByteString data = test::PatternBytes(size, static_cast<std::uint32_t>(size));
      const char* digits = size % 2 ? "0123456789abcdef" : "0123456789ABCDEF";
      std::vector<std::uint8_t> text(2 * size), expected(2 * size);
      kernel.encode(BytesOf(data), size, digits, text.data());
      portable.encode(BytesOf(data), size, digits, expected.data());
      ASSERT_EQ(text, expected);

      // Mixed case reads alike.
      for (std::size_t i = 0; i < text.size(); i += 3)
        text[i] = static_cast<std::uint8_t>(std::toupper(text[i]));
      std::vector<std::uint8_t> back(size);
      ASSERT_EQ(kernel.decode(text.data(), size, back.data()), size);
      ASSERT_EQ(ByteString(back.begin(), back.end()), data);
      if (size == 0) continue;
      const std::size_t at = random() % text.size();
      text[at] = static_cast<std::uint8_t>(strangers[random() % sizeof(strangers)]);
      ASSERT_EQ(kernel.decode(text.data(), size, back.data()), at / 2) << "at " << at;
      ASSERT_EQ(ByteString(back.begin(), back.begin() + static_cast<long>(at / 2)),
                data.substr(0, at / 2));
    }
  }
}

}  // namespace
}  // namespace velunor
