// The text as the encrypter codes it: the plain text of the input lines,
// the profile's managers, and pinned cipher texts, which must never change
// (the Crypto++ oracle of the cipher tests checks the same coding
// independently).
#include <gtest/gtest.h>

#include "cipher/cipher_registry.h"
#include "encrypter/coding_profile.h"
#include "encrypter/text_coding.h"
#include "hash/hash_ripemd256.h"

namespace velunor::encrypter {
namespace {

TEST(TextCoding, EveryLineIsFollowedByCrLf) {
  const struct {
    ByteString text;
    ByteString plain;
  } cases[] = {
      {"abc", "abc\r\n"},
      {"abc\n", "abc\r\n"},
      {"abc\r\n", "abc\r\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n"},
      {"a\rb\r\nc", "a\r\nb\r\nc\r\n"},
      {"\n", "\r\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlainTextOfText(c.text), c.plain) << c.text;
  }
  EXPECT_EQ(PlainTextOfLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(PlainTextOfLines({}), "");
}

TEST(TextCoding, TheProfileIsRipeMD256AndTheFallbackBlowfishInCts) {
  THashManager hashManager;
  TCipherManager cipherManager;
  SetUpProfile(hashManager, cipherManager);
  EXPECT_EQ(&hashManager.HashClass(), &THash_RipeMD256::Class());
  EXPECT_EQ(cipherManager.CipherClass(), nullptr);
  EXPECT_EQ(&cipherManager.CurrentClass(), &FallbackCipherClass());
  EXPECT_EQ(cipherManager.Algorithm(), "Blowfish");
  EXPECT_EQ(cipherManager.Mode(), cmCTS);
  EXPECT_EQ(cipherManager.HashManager(), &hashManager);
}

TEST(TextCoding, CipherTextsStayByteForByte) {
  const struct {
    ByteString keyword;  // code page 1252
    std::vector<ByteString> lines;
    ByteString cipherText;
  } cases[] = {
      {"geheim", {"abc"}, "Mrg5trk="},
      {"geheim", {"a", "", "b"}, "qIh33PloJk0="},
      {"geheim", {"Hallo Welt,", "bis bald!"}, "6Ho1YePWiIbT0qN2Y1QQy3nNqG6iQ75C"},
      {"Schl\xFCssel", {"abc"}, "ykr+hHE="},
      {"Schl\xFCssel",
       {"Gr\xFC\xDF"
        "e",
        "zur\xFC"
        "ck"},
       "M6s5/RM5Ugd1OEm2bJMv"},
      {ByteString(70, 'k'), {"Hallo Welt,", "bis bald!"}, "SP7Rcgr2S7dgfuHCWw52MEqDYhdEO7qv"},
      {"abc", {}, ""},
  };
  // One pair of managers for all: every coding keys the cipher afresh.
  THashManager hashManager;
  TCipherManager cipherManager;
  SetUpProfile(hashManager, cipherManager);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyword + " / " + c.cipherText);
    const ByteString plain = PlainTextOfLines(c.lines);
    EXPECT_EQ(EncryptWithKeyword(cipherManager, c.keyword, plain), c.cipherText);
    EXPECT_EQ(DecryptWithKeyword(cipherManager, c.keyword, c.cipherText), plain);
  }
  // Two blocks and one: the first codes alike, the text keeps its length.
  EXPECT_EQ(EncryptWithKeyword(cipherManager, "abc", "0123456789abcdef"),
            "HFDr3FfaoNgBHSuIL9ByWA==");
  EXPECT_EQ(EncryptWithKeyword(cipherManager, "abc", "01234567"), "HFDr3FfaoNg=");
}

}  // namespace
}  // namespace velunor::encrypter
