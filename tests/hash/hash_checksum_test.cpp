// The checksum classes: THash_XOR32's odd-length rule for each AddData call,
// and the class tree and registry names of the checksums and the HAVAL,
// Snefru and Sapphire classes. Their digests are in
// tests/data/hash-vectors (checksums.txt, haval.txt, snefru.txt, sapphire.txt).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hash/hash_crc16_ccitt.h"
#include "hash/hash_crc16_standard.h"
#include "hash/hash_crc32.h"
#include "hash/hash_haval.h"
#include "hash/hash_registry.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_snefru.h"
#include "hash/hash_xor16.h"
#include "hash/hash_xor32.h"
#include "support/test_support.h"

namespace velunor {
namespace {

std::string Xor32OfPieces(const std::vector<std::string>& pieces) {
  const auto hash = MakeProtection<THash_XOR32>(nullptr);
  hash->Init();
  for (const std::string& piece : pieces) {
    hash->AddData(piece.data(), static_cast<std::int32_t>(piece.size()));
  }
  hash->Finish();
  return test::ToHex(hash->Digest());
}

// An odd-length call XORs its first byte in unrotated; the rest goes in as
// 16-bit words. Splitting therefore changes the checksum unless every piece
// after the first is even.
TEST(HashXor32, OddLengthRuleAppliesToEachCall) {
  const struct {
    std::vector<std::string> pieces;
    const char* checksum;
  } cases[] = {
      {{"abc"}, "426f0000"},         {{"a", "bc"}, "426f0000"},     {{"ab", "c"}, "02620000"},
      {{"a", "b", "c"}, "60000000"}, {{"abcd"}, "43280c00"},        {{"abc", "d"}, "266f0000"},
      {{"a", "bcd"}, "03640000"},    {{"", "abc", ""}, "426f0000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.pieces));
    EXPECT_EQ(Xor32OfPieces(c.pieces), c.checksum);
  }
}

// A single byte is the whole input: nothing after it is read (the sanitizer
// build catches a read past the one-byte allocation).
TEST(HashXor32, SingleByteReadsOnlyThatByte) {
  auto single = std::make_unique<std::uint8_t[]>(1);
  single[0] = 0x61;
  const auto hash = MakeProtection<THash_XOR32>(nullptr);
  hash->Init();
  hash->AddData(single.get(), 1);
  hash->Finish();
  EXPECT_EQ(test::ToHex(hash->Digest()), "61000000");
}

// CRC-32 inverts its register on Finish; a checksum finished twice is the
// register as it was before the first Finish.
TEST(HashCrc32, FinishInvertsTheRegister) {
  const auto hash = MakeProtection<THash_CRC32>(nullptr);
  hash->Init();
  hash->AddData("123456789", 9);
  hash->Finish();
  EXPECT_EQ(test::ToHex(hash->Digest()), "2639f4cb");
  hash->Finish();
  EXPECT_EQ(test::ToHex(hash->Digest()), "d9c60b34");
}

struct ClassRow {
  const THashClass& cls;
  const THashClass& parent;
  std::int32_t digestSize;
  const char* registeredName;
  const char* description;
};

const std::vector<ClassRow>& ClassRows() {
  static const std::vector<ClassRow> rows = {
      {THash_Haval128::Class(), THash_Haval256::Class(), 16, "Haval-128", "Hash"},
      {THash_Haval160::Class(), THash_Haval256::Class(), 20, "Haval-160", "Hash"},
      {THash_Haval192::Class(), THash_Haval256::Class(), 24, "Haval-192", "Hash"},
      {THash_Haval224::Class(), THash_Haval256::Class(), 28, "Haval-224", "Hash"},
      {THash_Haval256::Class(), THash::Class(), 32, "Haval-256", "Hash"},
      {THash_Sapphire128::Class(), THash_Sapphire320::Class(), 16, "Sapphire II-128", "Hash"},
      {THash_Sapphire160::Class(), THash_Sapphire320::Class(), 20, "Sapphire II-160", "Hash"},
      {THash_Sapphire192::Class(), THash_Sapphire320::Class(), 24, "Sapphire II-192", "Hash"},
      {THash_Sapphire224::Class(), THash_Sapphire320::Class(), 28, "Sapphire II-224", "Hash"},
      {THash_Sapphire256::Class(), THash_Sapphire320::Class(), 32, "Sapphire II-256", "Hash"},
      {THash_Sapphire288::Class(), THash_Sapphire320::Class(), 36, "Sapphire II-288", "Hash"},
      {THash_Sapphire320::Class(), THash::Class(), 40, "Sapphire II-320", "Hash"},
      {THash_Snefru::Class(), THash::Class(), 32, "Snefru-256", "Hash"},
      {THash_XOR16::Class(), TChecksum::Class(), 2, "XOR-16", "Checksum"},
      {THash_XOR32::Class(), TChecksum::Class(), 4, "XOR-32", "Checksum"},
      {THash_CRC16_CCITT::Class(), THash_XOR16::Class(), 2, "CRC-16 CCITT", "Checksum"},
      {THash_CRC16_Standard::Class(), THash_XOR16::Class(), 2, "CRC-16 Standard", "Checksum"},
      {THash_CRC32::Class(), THash_XOR32::Class(), 4, "CRC-32", "Checksum"},
  };
  return rows;
}

// Each class sits in its family, has its digest size, and is registered
// under its name in the order of the rows above.
TEST(HashFurtherClasses, ClassTreeSizesAndRegistration) {
  std::size_t previousPosition = 0;
  for (const ClassRow& row : ClassRows()) {
    SCOPED_TRACE(std::string(row.cls.ClassName()));
    EXPECT_EQ(row.cls.ClassParent(), &row.parent);
    EXPECT_EQ(row.cls.DigestSize(), row.digestSize);
    EXPECT_EQ(row.cls.KnownAnswerData().size(), static_cast<std::size_t>(row.digestSize));
    EXPECT_EQ(FindHashClass(row.registeredName), &row.cls);
    EXPECT_EQ(FindHashClass(row.cls.ClassName()), &row.cls);
    EXPECT_EQ(HashClassName(&row.cls), row.registeredName);

    const auto& entries = HashRegistry().Entries();
    std::size_t position = 0;
    while (position < entries.size() && entries[position].cls != &row.cls)
      ++position;
    ASSERT_LT(position, entries.size());
    EXPECT_EQ(entries[position].text, std::string(row.registeredName) + "=" + row.description);
    EXPECT_GT(position, previousPosition);
    previousPosition = position;
  }
}

}  // namespace
}  // namespace velunor
