// Streams far beyond 4 GiB, generated on the fly and checked by a sink that
// compares, so that no count of the coders can wrap at 2^31 or 2^32 unseen:
// text written and read back in one stream, never held whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "protection/format_registry.h"
#include "support/test_support.h"

namespace velunor {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 20;
#ifdef __SANITIZE_ADDRESS__
// The sanitizer build runs unoptimised code some fifty times slower: there
// the stream passes 1 GiB (its text 2^31 bytes) and stays within seconds.
constexpr std::uint64_t kTotal = (std::uint64_t{1} << 30) + 5;
constexpr std::int32_t kFormats[] = {sfBase64};
#else
constexpr std::uint64_t kTotal = (std::uint64_t{17} << 28) + 5;  // 4.25 GiB and a partial group
constexpr std::int32_t kFormats[] = {sfBase64, sfHex};
#endif

// Checks that the stream repeats `pattern` and counts it.
class RepeatingPatternSink final : public ByteSink {
 public:
  explicit RepeatingPatternSink(const ByteString& pattern) : pattern_(pattern) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    while (size > 0) {
      const std::size_t at = count_ % pattern_.size();
      const std::size_t n = std::min(size, pattern_.size() - at);
      if (std::memcmp(data, pattern_.data() + at, n) != 0) ++mismatches_;
      count_ += n;
      data += n;
      size -= n;
    }
  }
  void Finish() override { ++finished_; }

  std::uint64_t count_ = 0;
  int mismatches_ = 0;
  int finished_ = 0;

 private:
  const ByteString& pattern_;
};

TEST(LargeStream, FormatsRoundTripBeyondFourGigabytes) {
  const ByteString pattern = test::PatternBytes(kPiece, 9);
  for (const std::int32_t number : kFormats) {
    SCOPED_TRACE(number);
    RepeatingPatternSink check(pattern);
    const auto decoder = NewTextDecoder(number, check);
    const auto encoder = NewTextEncoder(number, *decoder);
    for (std::uint64_t done = 0; done < kTotal;) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, kTotal - done));
      encoder->Write(BytesOf(pattern), n);
      done += n;
    }
    encoder->Finish();
    EXPECT_EQ(check.count_, kTotal);
    EXPECT_EQ(check.mismatches_, 0);
    EXPECT_EQ(check.finished_, 1);
  }
}

}  // namespace
}  // namespace velunor
