// The pass count of THash_Tiger: a fresh object runs three passes, Init keeps
// a count of 3..32 and replaces any other by 3.
#include <gtest/gtest.h>

#include "hash/hash_tiger.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// A Tiger whose pass count is set before its first Init.
class TigerWithPasses : public THash_Tiger {
 public:
  explicit TigerWithPasses(std::uint32_t passes) : THash_Tiger(nullptr) { PassCount = passes; }
};

std::string DigestHex(THash& hash, const ByteString& message) {
  hash.Init();
  hash.AddData(message.data(), static_cast<std::int32_t>(message.size()));
  hash.Finish();
  return test::ToHex(hash.Digest());
}

struct PassCase {
  const char* message;
  const char* threePasses;  // the published Tiger
  const char* fourPasses;   // computed with PHP's tiger192,4
};

constexpr PassCase kPassCases[] = {
    {"", "3293ac630c13f0245f92bbb1766e16167a4e58492dde73f3",
     "24cc78a7f6ff3546e7984e59695ca13d804e0b686e255194"},
    {"abc", "2aab1484e8c158f2bfb8c5ff41b57a525129131c957b5f93",
     "538883c8fc5f28250299018e66bdf4fdb5ef7b65f2e91753"},
};

TEST(TigerPasses, FourPassesGiveTheFourPassTiger) {
  for (const PassCase& c : kPassCases) {
    TigerWithPasses tiger(4);
    EXPECT_EQ(DigestHex(tiger, c.message), c.fourPasses) << '"' << c.message << '"';
  }
  TigerWithPasses tiger(4);
  EXPECT_EQ(DigestHex(tiger, ByteString(200, 'a')),
            "1f91a7fb628bf7890f09fcff685365d895c9d21ad436abf4");
}

TEST(TigerPasses, CountsOutsideThreeToThirtyTwoMeanThree) {
  for (std::uint32_t passes : {0u, 1u, 2u, 3u, 33u, 0xFFFFFFFFu}) {
    for (const PassCase& c : kPassCases) {
      TigerWithPasses tiger(passes);
      EXPECT_EQ(DigestHex(tiger, c.message), c.threePasses) << passes << " passes";
    }
  }
}

TEST(TigerPasses, ThirtyTwoPassesAreKept) {
  TigerWithPasses tiger(32);
  const std::string digest = DigestHex(tiger, "abc");
  EXPECT_NE(digest, kPassCases[1].threePasses);
  EXPECT_NE(digest, kPassCases[1].fourPasses);
  EXPECT_EQ(DigestHex(tiger, "abc"), digest) << "Init must keep the count";
}

}  // namespace
}  // namespace velunor
