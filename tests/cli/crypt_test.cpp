// `velunor encrypt` and `velunor decrypt`: keyword sources and their code
// page 1252 bytes, raw keys, --text, and the failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "cli/run_tool.h"
#include "encrypter/coding_profile.h"
#include "encrypter/text_coding.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using namespace std::string_literals;
using test::RunTool;

// The window's cipher text of `plain` under keyword bytes, without the CLI.
ByteString WindowCipherText(const ByteString& keyword, const ByteString& plain) {
  THashManager hashManager;
  TCipherManager manager;
  encrypter::SetUpProfile(hashManager, manager);
  return encrypter::EncryptWithKeyword(manager, keyword, plain);
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (saved_) {
      ::setenv(name_, saved_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(CryptCommand, TheWindowsFiveBytesRoundTripThroughAKeywordFile) {
  const test::ScratchDirectory dir("crypt-five");
  const std::string keywordFile = dir.Write("k", "geheim\n");
  const auto encrypted = RunTool({"encrypt", "--keyword-file", keywordFile}, "abc\r\n");
  ASSERT_EQ(encrypted.status, 0) << encrypted.err;
  ASSERT_EQ(encrypted.out.size(), 9u);
  EXPECT_EQ(encrypted.out[7], '=');
  EXPECT_EQ(encrypted.out[8], '\n');
  EXPECT_EQ(encrypted.out, WindowCipherText("geheim", "abc\r\n") + "\n");

  const auto decrypted = RunTool({"decrypt", "--keyword-file", keywordFile}, encrypted.out);
  EXPECT_EQ(decrypted.status, 0) << decrypted.err;
  EXPECT_EQ(decrypted.out, "abc\r\n");
}

TEST(CryptCommand, EveryKeywordSourceKeysAlike) {
  const test::ScratchDirectory dir("crypt-sources");
  const ByteString plain = test::PatternBytes(100, 4);
  const std::string expected = WindowCipherText("Sommer2024", plain) + "\n";
  const ScopedEnvironment noVariable("VELUNOR_KEYWORD", nullptr);
  const struct {
    const char* name;
    std::vector<std::string> args;
  } cases[] = {
      {"option", {"encrypt", "--keyword", "Sommer2024"}},
      {"file with LF", {"encrypt", "--keyword-file", dir.Write("lf", "Sommer2024\n")}},
      {"file with CR LF", {"encrypt", "--keyword-file", dir.Write("crlf", "Sommer2024\r\n")}},
      {"file without break", {"encrypt", "--keyword-file", dir.Write("bare", "Sommer2024")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = RunTool(c.args, plain);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
  }
  {
    const ScopedEnvironment variable("VELUNOR_KEYWORD", "Sommer2024");
    EXPECT_EQ(RunTool({"encrypt"}, plain).out, expected);
    // An option wins over the environment.
    EXPECT_NE(RunTool({"encrypt", "--keyword", "Winter2024"}, plain).out, expected);
  }
  // Only one trailing break is removed from a keyword file.
  const auto twoBreaks =
      RunTool({"encrypt", "--keyword-file", dir.Write("two", "Sommer2024\n\n")}, plain);
  EXPECT_NE(twoBreaks.out, expected);
}

TEST(CryptCommand, KeywordsAreCodePage1252Bytes) {
  const ByteString plain = "Gruß\r\n";
  const struct {
    const char* utf8;
    ByteString cp1252;
  } cases[] = {
      {"Grüße",
       "Gr\xFC\xDF"
       "e"},
      {"€uro", "\x80uro"},
      {"Œuvre—", "\x8Cuvre\x97"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    const auto result = RunTool({"encrypt", "--keyword", c.utf8}, plain);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, WindowCipherText(c.cp1252, plain) + "\n");
  }
}

TEST(CryptCommand, KeywordsOutsideTheCodePageOrTheLengthsAreRefused) {
  const struct {
    std::string keyword;
    std::string inMessage;
  } cases[] = {
      {"Ωmega", "U+03A9"},
      {"snow☃man", "U+2603"},
      {"ab", "2"},
      {std::string(71, 'k'), "71"},
      {"ü" + std::string(70, 'k'), "71"},  // 72 UTF-8 bytes, 71 keyword bytes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyword);
    const auto result = RunTool({"encrypt", "--keyword", c.keyword}, "text");
    EXPECT_EQ(result.status, 2) << "an option value";
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.inMessage), std::string::npos) << result.err;
  }
  // The limits themselves are fine, counted in code page 1252 bytes.
  for (const std::string& keyword :
       {"abc"s, std::string(70, 'k'), "ü"s + std::string(69, 'k'), "äöü"s}) {
    EXPECT_EQ(RunTool({"encrypt", "--keyword", keyword}, "text").status, 0) << keyword;
  }
}

TEST(CryptCommand, RawKeyGivesThePublishedBlowfishVector) {
  const ByteString plain = test::FromHex("0123456789abcdef");
  const auto encrypted =
      RunTool({"encrypt", "--key", "fedcba9876543210", "--mode", "ecb", "--format", "hex"}, plain);
  EXPECT_EQ(encrypted.status, 0) << encrypted.err;
  EXPECT_EQ(encrypted.out, "0ACEAB0FC6A0A28D\n");
  const auto decrypted =
      RunTool({"decrypt", "--key", "fedcba9876543210", "--mode", "4", "--format", "hex"},
              "0aceab0fc6a0a28d\n");
  EXPECT_EQ(decrypted.status, 0) << decrypted.err;
  EXPECT_EQ(test::ToHex(decrypted.out), "0123456789abcdef");

  // CBC from a zero initial vector enciphers a first block as ECB does.
  const auto cbc = RunTool({"encrypt", "--key", "fedcba9876543210", "--iv", "0000000000000000",
                            "--mode", "cbc", "--format", "hex"},
                           plain);
  EXPECT_EQ(cbc.out, "0ACEAB0FC6A0A28D\n");
  // A wrong initial vector length or bad hex is refused.
  EXPECT_EQ(RunTool({"encrypt", "--key", "fedcba9876543210", "--iv", "0000"}, plain).status, 2);
  EXPECT_EQ(RunTool({"encrypt", "--key", "fedcba98765432zz"}, plain).status, 2);
  EXPECT_EQ(RunTool({"encrypt", "--key", "fedcba9876543210", "--keyword", "abc"}, plain).status, 2);
}

TEST(CryptCommand, TextOptionBuildsTheWindowsLines) {
  const struct {
    std::string utf8;
    ByteString plain;
    std::string decrypted;
  } cases[] = {
      {"abc", "abc\r\n", "abc\n"},
      {"abc\n", "abc\r\n", "abc\n"},
      {"abc\r\n", "abc\r\n", "abc\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n", "a\n\nb\n"},
      {"Grüße\r\nzurück\n",
       "Gr\xFC\xDF"
       "e\r\nzur\xFC"
       "ck\r\n",
       "Grüße\nzurück\n"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    const auto encrypted = RunTool({"encrypt", "--keyword", "Schlüssel", "--text"}, c.utf8);
    ASSERT_EQ(encrypted.status, 0) << encrypted.err;
    EXPECT_EQ(encrypted.out, WindowCipherText("Schl\xFCssel", c.plain) + "\n");
    const auto raw = RunTool({"decrypt", "--keyword", "Schlüssel"}, encrypted.out);
    EXPECT_EQ(raw.out, c.plain);
    // Each line ends with CR LF as the window wrote it: a single word reads
    // as text too.
    const auto text = RunTool({"decrypt", "--keyword", "Schlüssel", "--text"}, encrypted.out);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, c.decrypted);
  }
  const auto refused = RunTool({"encrypt", "--keyword", "Schlüssel", "--text"}, "snow ☃\n");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_NE(refused.err.find("U+2603"), std::string::npos) << refused.err;
}

TEST(CryptCommand, DecryptReadsBase64WithBlanksAndBreaks) {
  const ByteString plain = test::PatternBytes(50, 2);
  const std::string text = WindowCipherText("keyword", plain);
  std::string spread;
  for (std::size_t i = 0; i < text.size(); ++i)
    spread += text.substr(i, 1) + (i % 10 == 9 ? "\r\n" : " ");
  const auto result = RunTool({"decrypt", "--keyword", "keyword"}, spread);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, plain);
}

TEST(CryptCommand, BadBase64WritesNothing) {
  const auto result = RunTool({"decrypt", "--keyword", "keyword"}, "YWJj!ZA==\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("MIME Base 64"), std::string::npos) << result.err;
}

TEST(CryptCommand, UnknownNamesAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
  } cases[] = {
      {{"encrypt", "--keyword", "abc", "--cipher", "Rijndael"}},
      {{"encrypt", "--keyword", "abc", "--mode", "gcm"}},
      {{"encrypt", "--keyword", "abc", "--mode", "8"}},
      {{"decrypt", "--keyword", "abc", "--hash", "SHA-3"}},
      {{"decrypt", "--keyword", "abc", "--format", "base32"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[3] + " " + c.args[4]);
    const auto result = RunTool(c.args, "abc");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
  }
}

TEST(CryptCommand, ModesByNameAndNumberAgree) {
  const ByteString plain = test::PatternBytes(37, 8);
  const char* const names[] = {"cts", "cbc", "cfb", "ofb", "ecb"};
  for (int m = 0; m < 5; ++m) {
    SCOPED_TRACE(names[m]);
    const auto byName = RunTool({"encrypt", "--keyword", "abc", "--mode", names[m]}, plain);
    const auto byNumber =
        RunTool({"encrypt", "--keyword", "abc", "--mode", std::to_string(m)}, plain);
    EXPECT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, byNumber.out);
    EXPECT_EQ(RunTool({"decrypt", "--keyword", "abc", "--mode", names[m]}, byName.out).out, plain);
  }
  EXPECT_EQ(RunTool({"encrypt", "--keyword", "abc"}, plain).out,
            RunTool({"encrypt", "--keyword", "abc", "--mode", "cts"}, plain).out);
}

TEST(CryptCommand, FileInputAndCopyFormat) {
  const test::ScratchDirectory dir("crypt-file");
  const ByteString plain = test::PatternBytes(5000, 3);
  const std::string file = dir.Write("plain.bin", plain);
  const auto raw = RunTool({"encrypt", "--keyword", "abc", "--format", "copy", file});
  EXPECT_EQ(raw.status, 0) << raw.err;
  EXPECT_EQ(raw.out.size(), plain.size()) << "raw cipher bytes, no line break";
  const std::string cipherFile = dir.Write("cipher.bin", raw.out);
  EXPECT_EQ(RunTool({"decrypt", "--keyword", "abc", "--format", "copy", cipherFile}).out, plain);
  const auto missing = RunTool({"encrypt", "--keyword", "abc", dir.PathOf("none")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
}

TEST(CryptCommand, AKeyLongerThanTheCipherTakesIsRefused) {
  const struct {
    const char* cipher;
    std::size_t maxBytes;
  } cases[] = {{"Blowfish", 56}, {"3Way", 12}, {"SAFER-K40", 5}, {"Twofish", 32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cipher);
    const auto key = [](std::size_t bytes) { return std::string(2 * bytes, 'a'); };
    const auto longest = RunTool({"encrypt", "--cipher", c.cipher, "--key", key(c.maxBytes)}, "x");
    EXPECT_EQ(longest.status, 0) << longest.err;
    const auto over = RunTool({"encrypt", "--cipher", c.cipher, "--key", key(c.maxBytes + 1)}, "x");
    EXPECT_EQ(over.status, 2);
    EXPECT_EQ(over.out, "");
    EXPECT_NE(over.err.find("1 to " + std::to_string(c.maxBytes) + " bytes"), std::string::npos)
        << over.err;
  }
}

TEST(CryptCommand, KeywordFilesAreReadOnlyAsFarAsAKeywordReaches) {
  const test::ScratchDirectory dir("crypt-keyword-file");
  const ByteString plain = "text";
  const std::string expected = WindowCipherText("Sommer2024", plain) + "\n";
  const std::string plainFile = dir.Write("plain", plain);
  // /dev/zero never ends: it is refused after a few hundred bytes.
  for (const std::string& keywordFile :
       {std::string("/dev/zero"), dir.Write("long", std::string(300, 'k'))}) {
    const auto result = RunTool({"encrypt", "--keyword-file", keywordFile}, plain);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("holds more than a keyword"), std::string::npos) << result.err;
  }
  // The keyword file "-" is standard input, so the text must come from a file.
  const auto fromInput = RunTool({"encrypt", "--keyword-file", "-", plainFile}, "Sommer2024\n");
  EXPECT_EQ(fromInput.status, 0) << fromInput.err;
  EXPECT_EQ(fromInput.out, expected);
  for (const std::string text : {"", "-"}) {
    std::vector<std::string> args = {"encrypt", "--keyword-file", "-"};
    if (!text.empty()) args.push_back(text);
    const auto both = RunTool(args, "Sommer2024\n");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("--keyword-file -"), std::string::npos) << both.err;
  }
  const auto missing = RunTool({"encrypt", "--keyword-file", dir.PathOf("none")}, plain);
  EXPECT_EQ(missing.err,
            "velunor: cannot open " + dir.PathOf("none") + ": No such file or directory\n");
}

TEST(CryptCommand, AFormatNumberThatIsNoFormatIsAUsageError) {
  for (const std::string command : {"encrypt", "decrypt"}) {
    for (const std::string format : {"99", "7", "-2"}) {
      const auto result = RunTool({command, "--keyword", "abc", "--format", format}, "abc");
      EXPECT_EQ(result.status, 2) << command << " " << format;
    }
  }
}

}  // namespace
}  // namespace velunor
