// Every block vector in tests/data/cipher-vectors/*.txt, one record per line:
// CLASS <TAB> KEYHEX <TAB> PLAINHEX <TAB> CIPHERHEX, all in the byte order
// the class reads and writes its blocks. The cipher is keyed with the raw key
// through Init; the plain block must encipher to the cipher block and back.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "cipher/cipher_registry.h"
#include "cipher/cipher_selftest.h"
#include "support/test_support.h"

namespace velunor {
namespace {

TEST(CipherVectors, EveryBlockVectorHolds) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(test::DataPath("cipher-vectors"))) {
    const std::string file = "cipher-vectors/" + entry.path().filename().string();
    for (const auto& fields : test::ReadDataRecords(file)) {
      ASSERT_EQ(fields.size(), 4u) << "bad record in " << file;
      SCOPED_TRACE(file + ": " + fields[0] + " key " + fields[1] + " plain " + fields[2]);
      const TCipherClass* cls = FindCipherClass(fields[0]);
      ASSERT_NE(cls, nullptr) << "no cipher class " << fields[0];
      ProtectionRef<TCipher> cipher = cls->Create();
      const ByteString key = test::FromHex(fields[1]);
      ByteString block = test::FromHex(fields[2]);
      ASSERT_EQ(block.size(), static_cast<std::size_t>(cipher->BlockSize));
      cipher->Init(key.data(), static_cast<std::int32_t>(key.size()), nullptr);
      cipher->EncipherBlock(BytesOf(block));
      EXPECT_EQ(test::ToHex(block), fields[3]);
      cipher->DecipherBlock(BytesOf(block));
      EXPECT_EQ(test::ToHex(block), fields[2]);
      ++count;
    }
  }
  EXPECT_GT(count, 0u);
}

TEST(CipherVectors, EveryRegisteredClassPassesItsSelfTest) {
  for (const auto& entry : CipherRegistry().Entries()) {
    EXPECT_TRUE(CipherSelfTest(*entry.cls)) << entry.cls->ClassName();
  }
}

}  // namespace
}  // namespace velunor
