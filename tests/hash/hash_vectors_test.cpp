// Every published or computed digest in tests/data/hash-vectors/*.txt, one
// record per line: CLASS <TAB> MESSAGE <TAB> DIGESTHEX. CLASS is anything
// FindHashClass accepts; MESSAGE is "text", N*"text" (the text N times) or
// hex:BYTES; DIGESTHEX is the digest in DigestBuffer order.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "hash/hash_registry.h"
#include "protection/format_registry.h"
#include "support/test_support.h"

namespace velunor {
namespace {

struct HashVector {
  std::string file;
  std::string hash;
  std::string message;
  std::string digest;
};

std::vector<HashVector> AllVectors() {
  std::vector<HashVector> vectors;
  for (const auto& entry : std::filesystem::directory_iterator(test::DataPath("hash-vectors"))) {
    const std::string name = "hash-vectors/" + entry.path().filename().string();
    for (const auto& fields : test::ReadDataRecords(name)) {
      if (fields.size() != 3) throw std::runtime_error("bad record in " + name);
      vectors.push_back({name, fields[0], fields[1], fields[2]});
    }
  }
  return vectors;
}

TEST(HashVectors, EveryVectorGivesItsDigest) {
  const auto vectors = AllVectors();
  ASSERT_FALSE(vectors.empty());
  for (const auto& v : vectors) {
    SCOPED_TRACE(v.file + ": " + v.hash + " " + v.message.substr(0, 40));
    const THashClass* cls = FindHashClass(v.hash);
    ASSERT_NE(cls, nullptr) << "no hash class " << v.hash;
    ProtectionRef<THash> hash = cls->Create();
    const ByteString message = test::ExpandMessage(v.message);
    hash->Init();
    hash->AddData(message.data(), static_cast<std::int32_t>(message.size()));
    hash->Finish();
    EXPECT_EQ(test::ToHex(hash->Digest()), v.digest);
  }
}

TEST(HashVectors, KnownAnswerDataIsTheDigestOfSelfTestInput) {
  for (const auto& entry : HashRegistry().Entries()) {
    SCOPED_TRACE(std::string(entry.cls->ClassName()));
    ProtectionRef<THash> hash = entry.cls->Create();
    hash->Init();
    hash->AddData(SelfTestInput, sizeof SelfTestInput);
    hash->Finish();
    const auto known = entry.cls->KnownAnswerData();
    EXPECT_EQ(test::ToHex(hash->Digest()),
              test::ToHex(ByteString(reinterpret_cast<const char*>(known.data()), known.size())));
  }
}

}  // namespace
}  // namespace velunor
