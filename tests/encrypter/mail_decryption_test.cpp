// The mail-aware decryption without a window or a command line: cipher
// blocks found in bodies and whole messages (quoted, indented, wrapped,
// quoted-printable, base64, multipart), replaced by their plain texts with
// the text around them kept; the check that a decryption reads as text;
// wrapping; the window program's arguments.
#include <gtest/gtest.h>

#include "encrypter/cipher_text_lines.h"
#include "encrypter/mail_decryption.h"
#include "encrypter/mail_message.h"
#include "encrypter/quote_marks.h"
#include "encrypter/text_check.h"
#include "encrypter/text_coding.h"
#include "encrypter/window_launch.h"
#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::encrypter {
namespace {

// Pinned in text_coding_test: "Hallo Welt," and "bis bald!" under "geheim".
const std::string kCipherText = "6Ho1YePWiIbT0qN2Y1QQy3nNqG6iQ75C";

struct MailDecryption : ::testing::Test {
  MailDecryption() { SetUpProfile(hashManager, cipherManager); }
  TMailDecryption Decrypt(std::string_view mail, const char* keyword = "geheim") {
    return DecryptMail(mail, [this, keyword](const std::string& cipherText) {
      return DecryptWithKeyword(cipherManager, keyword, cipherText);
    });
  }
  THashManager hashManager;
  TCipherManager cipherManager;
};

TEST_F(MailDecryption, EachBlockIsReplacedAndTheTextAroundItKept) {
  const std::string wrapped = WrapAtColumns(kCipherText, 10, "\n");
  const struct {
    const char* name;
    std::string mail;
    std::string decrypted;
    std::size_t blocks;
  } cases[] = {
      {"body alone", kCipherText + "\n", "Hallo Welt,\nbis bald!\n", 1},
      {"greeting and signature", "Hallo Anna,\n\n" + wrapped + "\n\n-- \nBen\n",
       "Hallo Anna,\n\nHallo Welt,\nbis bald!\n\n-- \nBen\n", 1},
      {"quoted in a reply",
       "Ben wrote:\n> " + kCipherText.substr(0, 16) + "\n> " + kCipherText.substr(16) +
           "\n\nDanke!\n",
       "Ben wrote:\n> Hallo Welt,\n> bis bald!\n\nDanke!\n", 1},
      {"indented, CR LF", "Text:\r\n    " + kCipherText + "\r\n",
       "Text:\r\n    Hallo Welt,\r\n    bis bald!\r\n", 1},
      {"two blocks", kCipherText + "\n\nund\n\n>> " + kCipherText,
       "Hallo Welt,\nbis bald!\n\nund\n\n>> Hallo Welt,\n>> bis bald!", 2},
      {"quoted-printable soft breaks in a body alone",
       kCipherText.substr(0, 20) + "=\n" + kCipherText.substr(20) + "\n",
       "Hallo Welt,\nbis bald!\n", 1},
      {"words are no cipher text", "Hochachtungsvoll\nMustermann\nAnna\n",
       "Hochachtungsvoll\nMustermann\nAnna\n", 0},
  };
  for (const auto& c : cases) {
    const TMailDecryption result = Decrypt(c.mail);
    EXPECT_EQ(result.text, c.decrypted) << c.name;
    EXPECT_EQ(result.blocks, c.blocks) << c.name;
    EXPECT_EQ(result.doubtful, 0u) << c.name;
  }
}

TEST_F(MailDecryption, AMessageKeepsItsHeaderAndLosesItsTransferEncoding) {
  const std::string qp =
      "From: Ben <ben@example.org>\nSubject: Post\nContent-Type: text/plain; "
      "charset=utf-8\nContent-Transfer-Encoding: quoted-printable\n\nGr=C3=BC=\n"
      "=C3=9Fe:\n" +
      kCipherText.substr(0, 30) + "=\n" + kCipherText.substr(30) + "\n";
  EXPECT_EQ(Decrypt(qp).text,
            "From: Ben <ben@example.org>\nSubject: Post\nContent-Type: text/plain; "
            "charset=utf-8\nContent-Transfer-Encoding: 8bit\n\nGrüße:\nHallo Welt,\nbis bald!\n");

  const std::string base64 = "Subject: x\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                             BytesToText("Hi:\r\n" + kCipherText + "\r\n", sfBase64) + "\r\n";
  EXPECT_EQ(
      Decrypt(base64).text,
      "Subject: x\r\nContent-Transfer-Encoding: 8bit\r\n\r\nHi:\r\nHallo Welt,\r\nbis bald!\r\n");

  // Only the text part: the attachment's base64 lines are no cipher text.
  const std::string attachment(40, 'Q');
  const std::string multipart =
      "Content-Type: multipart/mixed; boundary=\"b1\"\n\npreamble\n--b1\n\n" + kCipherText +
      "\n--b1\nContent-Type: application/octet-stream\nContent-Transfer-Encoding: base64\n\n" +
      attachment + "1\n--b1--\n";
  const TMailDecryption result = Decrypt(multipart);
  EXPECT_EQ(result.text,
            "Content-Type: multipart/mixed; boundary=\"b1\"\n\npreamble\n--b1\n\nHallo Welt,\n"
            "bis bald!\n--b1\nContent-Type: application/octet-stream\nContent-Transfer-Encoding: "
            "base64\n\n" +
                attachment + "1\n--b1--\n");
  EXPECT_EQ(result.blocks, 1u);
}

TEST_F(MailDecryption, AWrongKeywordOrACutBlockIsDoubtful) {
  EXPECT_EQ(Decrypt(kCipherText, "falsch").doubtful, 1u);
  EXPECT_EQ(Decrypt(kCipherText.substr(0, 30)).doubtful, 1u);
  EXPECT_EQ(Decrypt(kCipherText + "\n\n" + kCipherText.substr(4)).doubtful, 1u);
}

TEST(TextCheck, ADecryptionReadsAsTextWithASpaceEarlyAndNoControlCharacters) {
  const struct {
    std::string text;
    bool text_;
  } cases[] = {
      {"Hallo Welt,\r\nbis bald!\r\n", true},
      {"Gr\xFC\xDF\x65 und \x80\tTab\n", true},
      {std::string(49, 'x') + " z", true},
      {std::string(50, 'x') + " z", false},  // the window's rule
      {"Ja\r\n", true},                      // a single word as the window encrypts it
      {"Ja", false},
      {"Ja\r\n\x01", false},
      {"", true},
      {"Hallo Welt\x01", false},
      {std::string("Hallo Welt\0", 11), false},
      {"Hallo Welt\x81", false},
      {"Hallo Welt\x7F", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LooksLikeText(c.text), c.text_) << c.text;
}

TEST(CipherTextLines, WrappingBreaksAtTheColumnsAndQuoteMarksGo) {
  EXPECT_EQ(WrapAtColumns("abcdefghij", 4, "\n"), "abcd\nefgh\nij");
  EXPECT_EQ(WrapAtColumns("abcdefgh", 4, "\r\n"), "abcd\r\nefgh");
  EXPECT_EQ(WrapAtColumns("abcdefgh", 0, "\n"), "abcdefgh");
  EXPECT_TRUE(IsWholeBase64("YWJj\n ZA=="));
  EXPECT_FALSE(IsWholeBase64("YWJjZA="));
  EXPECT_EQ(WithoutQuoteMarks("> > YWJj\n>\tZA==\n  x>y"), "YWJj\nZA==\nx>y");
  EXPECT_EQ(DecodeQuotedPrintable("a=3Db=\r\nc= \nd=4x="), "a=bcd=4x=");
}

TEST(WindowLaunch, TheArgumentsChooseTheMode) {
  using M = TWindowMode;
  using F = TLaunchFault;
  const struct {
    std::vector<std::string> arguments;
    M mode;
    std::string file;
    std::size_t wrap;
    F fault;
  } cases[] = {
      {{}, M::kWindow, "", 76, F::kNone},
      {{"letter.txt", "x"}, M::kWindow, "letter.txt", 76, F::kNone},
      {{"--filter"}, M::kFilter, "", 76, F::kNone},
      {{"--filter", "--wrap", "64"}, M::kFilter, "", 64, F::kNone},
      {{"--wrap", "0", "--edit", "mail.txt"}, M::kEdit, "mail.txt", 0, F::kNone},
      {{"--ask-keyword", "Keyword:"}, M::kAskKeyword, "", 76, F::kNone},
      {{"--edit"}, M::kEdit, "", 76, F::kMissingFile},
      {{"--filter", "--wrap", "999"}, M::kFilter, "", 76, F::kBadWrap},
      {{"--filter", "--wrap"}, M::kFilter, "", 76, F::kBadWrap},
      {{"--filter", "--colour"}, M::kFilter, "", 76, F::kUnknownOption},
      {{"--filter", "x"}, M::kFilter, "", 76, F::kSurplusArgument},
      {{"--ask-keyword", "--wrap", "5"}, M::kAskKeyword, "", 5, F::kSurplusArgument},
  };
  for (const auto& c : cases) {
    const TWindowLaunch launch = ParseWindowArguments(c.arguments);
    const std::string name = c.arguments.empty() ? "(none)" : c.arguments.front();
    EXPECT_EQ(launch.fault, c.fault) << name;
    if (c.fault != F::kNone) continue;
    EXPECT_EQ(launch.mode, c.mode) << name;
    EXPECT_EQ(launch.file, c.file) << name;
    EXPECT_EQ(launch.wrapColumns, c.wrap) << name;
  }
  EXPECT_EQ(ParseWindowArguments({"--ask-keyword", "Keyword:"}).prompt, "Keyword:");
}

}  // namespace
}  // namespace velunor::encrypter
