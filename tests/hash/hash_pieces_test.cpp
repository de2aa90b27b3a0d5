// Feeding a message in pieces gives the same digest as one call with the whole
// message, for every class in the hash registry (classes registered later are
// covered as they come). Also: Finish followed by more AddData continues the
// same way however the data is split, and Init starts over from any state.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "hash/hash_md4.h"
#include "hash/hash_registry.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// The lengths of successive AddData calls; they add up to the message length.
using Pieces = std::vector<std::size_t>;

// Pieces of `size` bytes, the last one shorter.
Pieces FixedSize(std::size_t total, std::size_t size) {
  Pieces pieces;
  for (std::size_t done = 0; done < total; done += size)
    pieces.push_back(std::min(size, total - done));
  return pieces;
}

// Pieces that end at the given offsets of every 128-byte stretch.
Pieces EndingAt(std::size_t total, std::initializer_list<std::size_t> offsetsInStretch) {
  Pieces pieces;
  std::size_t done = 0;
  for (std::size_t stretch = 0; done < total; stretch += 128) {
    for (std::size_t offset : offsetsInStretch) {
      const std::size_t end = std::min(stretch + offset, total);
      if (end > done) {
        pieces.push_back(end - done);
        done = end;
      }
    }
  }
  return pieces;
}

// Random lengths from 0 to 200, empty calls included.
Pieces RandomSplit(std::size_t total, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> length(0, 200);
  Pieces pieces;
  for (std::size_t done = 0; done < total;) {
    const std::size_t n = std::min(length(random), total - done);
    pieces.push_back(n);
    done += n;
  }
  return pieces;
}

struct SplitPlan {
  const char* name;
  std::function<Pieces(std::size_t)> split;
};

const std::vector<SplitPlan>& SplitPlans() {
  static const std::vector<SplitPlan> plans = {
      {"byte by byte", [](std::size_t n) { return FixedSize(n, 1); }},
      {"63 bytes", [](std::size_t n) { return FixedSize(n, 63); }},
      {"64 bytes", [](std::size_t n) { return FixedSize(n, 64); }},
      {"65 bytes", [](std::size_t n) { return FixedSize(n, 65); }},
      {"ending at 65, 100, 127 of 128",
       [](std::size_t n) {
         return EndingAt(n, {65, 100, 127, 128});
       }},
      {"ending at 1, 64, 120 of 128",
       [](std::size_t n) {
         return EndingAt(n, {1, 64, 120, 128});
       }},
      {"random 1", [](std::size_t n) { return RandomSplit(n, 1); }},
      {"random 2", [](std::size_t n) { return RandomSplit(n, 2); }},
  };
  return plans;
}

// THash_XOR32 applies its odd-length rule to every call, so it gives the
// one-call checksum only when every piece after the first has an even length.
bool OddLengthRuleEachCall(const THashClass& cls) {
  return cls.ClassName() == "THash_XOR32";
}

// The same kind of split with even pieces after the first: the first piece
// takes one byte more when the rest would be odd, later pieces are rounded up.
Pieces EvenAfterFirst(const Pieces& pieces, std::size_t total) {
  std::size_t first = pieces.empty() ? total : pieces.front();
  if ((total - first) % 2 != 0) ++first;
  Pieces even = {first};
  std::size_t done = first;
  for (std::size_t i = 1; i < pieces.size() && done < total; ++i) {
    const std::size_t n = std::min(pieces[i] + pieces[i] % 2, total - done);
    even.push_back(n);
    done += n;
  }
  if (done < total) even.push_back(total - done);
  return even;
}

Pieces FeedablePieces(const THashClass& cls, const Pieces& pieces, std::size_t total) {
  return OddLengthRuleEachCall(cls) ? EvenAfterFirst(pieces, total) : pieces;
}

void Feed(THash& hash, const ByteString& message, const Pieces& pieces) {
  std::size_t done = 0;
  for (std::size_t n : pieces) {
    hash.AddData(message.data() + done, static_cast<std::int32_t>(n));
    done += n;
  }
  ASSERT_EQ(done, message.size()) << "the pieces do not cover the message";
}

std::string DigestHex(const THashClass& cls, const ByteString& message, const Pieces& pieces) {
  ProtectionRef<THash> hash = cls.Create();
  hash->Init();
  Feed(*hash, message, pieces);
  hash->Finish();
  return test::ToHex(hash->Digest());
}

std::string OneCallDigestHex(const THashClass& cls, const ByteString& message) {
  return DigestHex(cls, message, {message.size()});
}

std::vector<const THashClass*> RegisteredClasses() {
  std::vector<const THashClass*> classes;
  for (const auto& entry : HashRegistry().Entries())
    classes.push_back(entry.cls);
  return classes;
}

std::vector<const THashClass*> BlockFamilyClasses() {
  std::vector<const THashClass*> classes;
  for (const THashClass* cls : RegisteredClasses()) {
    if (cls->InheritsFrom(THash_MD4::Class())) classes.push_back(cls);
  }
  return classes;
}

std::string ClassNameOf(const testing::TestParamInfo<const THashClass*>& info) {
  return std::string(info.param->ClassName());
}

class HashPieces : public testing::TestWithParam<const THashClass*> {};

constexpr std::size_t kMessageLengths[] = {0, 1, 2, 63, 64, 65, 127, 128, 129, 191, 300, 1031};

TEST_P(HashPieces, AnySplitGivesTheOneCallDigest) {
  const THashClass& cls = *GetParam();
  for (std::size_t length : kMessageLengths) {
    const ByteString message = test::PatternBytes(length, static_cast<std::uint32_t>(length) + 7);
    const std::string whole = OneCallDigestHex(cls, message);
    for (const SplitPlan& plan : SplitPlans()) {
      SCOPED_TRACE(std::to_string(length) + " bytes, " + plan.name);
      EXPECT_EQ(DigestHex(cls, message, FeedablePieces(cls, plan.split(length), length)), whole);
    }
  }
}

// After Finish, AddData goes on from the finished state: the digest after a
// second Finish depends only on the bytes, not on how they were split, and
// differs from the first digest.
TEST_P(HashPieces, AddDataAfterFinishContinues) {
  const THashClass& cls = *GetParam();
  const ByteString first = test::PatternBytes(100, 3);
  const ByteString second = test::PatternBytes(150, 4);

  ProtectionRef<THash> whole = cls.Create();
  whole->Init();
  Feed(*whole, first, {first.size()});
  whole->Finish();
  const std::string firstDigest = test::ToHex(whole->Digest());
  Feed(*whole, second, {second.size()});
  whole->Finish();

  ProtectionRef<THash> split = cls.Create();
  split->Init();
  Feed(*split, first, FeedablePieces(cls, RandomSplit(first.size(), 5), first.size()));
  split->Finish();
  EXPECT_EQ(test::ToHex(split->Digest()), firstDigest);
  Feed(*split, second, FeedablePieces(cls, FixedSize(second.size(), 7), second.size()));
  split->Finish();

  EXPECT_EQ(test::ToHex(split->Digest()), test::ToHex(whole->Digest()));
  EXPECT_NE(test::ToHex(whole->Digest()), firstDigest);
}

// Init starts a new digest whatever came before: a finished digest, or data
// left halfway through a block.
TEST_P(HashPieces, InitStartsOver) {
  const THashClass& cls = *GetParam();
  const ByteString earlier = test::PatternBytes(37, 8);
  const ByteString message = test::PatternBytes(90, 9);
  const std::string fresh = OneCallDigestHex(cls, message);

  ProtectionRef<THash> hash = cls.Create();
  hash->Init();
  Feed(*hash, earlier, {earlier.size()});
  hash->Finish();
  hash->Init();
  Feed(*hash, message, {message.size()});
  hash->Finish();
  EXPECT_EQ(test::ToHex(hash->Digest()), fresh);

  hash->Init();
  Feed(*hash, earlier, {earlier.size()});
  hash->Init();
  Feed(*hash, message, {message.size()});
  hash->Finish();
  EXPECT_EQ(test::ToHex(hash->Digest()), fresh);
}

INSTANTIATE_TEST_SUITE_P(Registered, HashPieces, testing::ValuesIn(RegisteredClasses()),
                         ClassNameOf);

// The 64-byte-block family pads with one byte, zeros and an 8-byte length:
// 55 bytes leave room for the length in the last block, 56 and 63 need one
// block more, 64 fill a block. Pieces that end right before or on such a
// boundary must give the one-call digest, and each length its own digest.
class BlockHashPadding : public testing::TestWithParam<const THashClass*> {};

constexpr std::size_t kBoundaryLengths[] = {55, 56, 63, 64, 119, 120, 127, 128};

TEST_P(BlockHashPadding, PiecesAroundThePaddingBoundaries) {
  const THashClass& cls = *GetParam();
  std::vector<std::string> digests;
  for (std::size_t length : kBoundaryLengths) {
    const ByteString message = test::PatternBytes(length, 11);
    const std::string whole = OneCallDigestHex(cls, message);
    for (const Pieces& pieces : {Pieces{length - 1, 1}, Pieces{1, length - 1},
                                 Pieces{length / 2, length - length / 2}, FixedSize(length, 1)}) {
      SCOPED_TRACE(std::to_string(length) + " bytes in " + std::to_string(pieces.size()) +
                   " pieces, the first of " + std::to_string(pieces.front()));
      EXPECT_EQ(DigestHex(cls, message, pieces), whole);
    }
    for (const std::string& other : digests)
      EXPECT_NE(whole, other) << length << " bytes";
    digests.push_back(whole);
  }
}

INSTANTIATE_TEST_SUITE_P(Registered, BlockHashPadding, testing::ValuesIn(BlockFamilyClasses()),
                         ClassNameOf);

}  // namespace
}  // namespace velunor
