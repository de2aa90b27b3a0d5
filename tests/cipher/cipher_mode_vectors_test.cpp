// Every record in tests/data/cipher-modes/*.txt, one per line:
// CLASS MODE KEYHEX IVHEX PLAINHEX CIPHERHEX CHAINHEX (TAB-separated; IV "-"
// for the default one, cipher "-" for a MAC mode, which writes nothing).
// A freshly keyed cipher enciphers the plain bytes into a separate buffer
// (span forms) and another deciphers them back in place (pointer forms); both must leave the chain
// value F (the MAC value of a MAC mode) given in the record.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <span>

#include "cipher/cipher_registry.h"
#include "managers/cipher_manager.h"
#include "support/test_support.h"

namespace velunor {
namespace {

struct ModeRecord {
  const TCipherClass* cls;
  TCipherMode mode;
  ByteString key, iv, plain, cipher, chain;
};

std::span<const std::uint8_t> Span(const ByteString& bytes) {
  return {BytesOf(bytes), bytes.size()};
}

ProtectionRef<TCipher> Keyed(const ModeRecord& r) {
  ProtectionRef<TCipher> cipher = r.cls->Create();
  cipher->Init(Span(r.key), Span(r.iv));
  cipher->Mode = r.mode;
  return cipher;
}

std::string ChainOf(const TCipher& cipher) {
  return test::ToHex(
      MakeByteString(cipher.ChainBlock(), static_cast<std::size_t>(cipher.BlockSize)));
}

void CheckRecord(const ModeRecord& r) {
  const bool mac = r.mode >= cmCTSMAC;
  auto encipher = Keyed(r);
  const ByteString untouched(r.plain.size(), '\x5A');
  ByteString out = untouched;
  encipher->EncipherBuffer(Span(r.plain), {BytesOf(out), out.size()});
  EXPECT_EQ(test::ToHex(out), test::ToHex(mac ? untouched : r.cipher));
  EXPECT_EQ(ChainOf(*encipher), test::ToHex(r.chain));

  auto decipher = Keyed(r);
  ByteString back = mac ? r.plain : r.cipher;
  decipher->DecipherBuffer(back.data(), back.data(), static_cast<std::int32_t>(back.size()));
  EXPECT_EQ(test::ToHex(back), test::ToHex(r.plain));
  EXPECT_EQ(ChainOf(*decipher), test::ToHex(r.chain));
}

TEST(CipherModeVectors, EveryModeVectorHolds) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(test::DataPath("cipher-modes"))) {
    const std::string file = "cipher-modes/" + entry.path().filename().string();
    for (const auto& f : test::ReadDataRecords(file)) {
      ASSERT_EQ(f.size(), 7u) << "bad record in " << file;
      SCOPED_TRACE(file + ": " + f[0] + " " + f[1] + ", " + std::to_string(f[4].size() / 2) +
                   " bytes");
      // "-" reads as no bytes.
      ModeRecord r{FindCipherClass(f[0]), cmCTS,
                   test::FromHex(f[2]),   test::FromHex(f[3]),
                   test::FromHex(f[4]),   test::FromHex(f[5]),
                   test::FromHex(f[6])};
      ASSERT_NE(r.cls, nullptr) << "no cipher class " << f[0];
      ASSERT_TRUE(ParseCipherModeName(f[1], r.mode)) << "no mode " << f[1];
      CheckRecord(r);
      ++count;
    }
  }
  EXPECT_GT(count, 0u);
}

}  // namespace
}  // namespace velunor
