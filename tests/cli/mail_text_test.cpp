// Text for mail on the command line: decrypt --mail finds the cipher texts
// of a message and decrypts them in place; a decryption that does not read
// as text is refused with exit status 3 and nothing written; --wrap breaks
// a cipher text into lines; quoted cipher text is read; the keyword comes
// from a helper, which never sees VELUNOR_KEYWORD.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/program.h"
#include "cli/run_tool.h"

namespace velunor {
namespace {

using test::RunTool;

// "Hallo Welt," and "bis bald!" under "geheim" (pinned in the encrypter's tests).
const std::string kCipherText = "6Ho1YePWiIbT0qN2Y1QQy3nNqG6iQ75C";

TEST(MailText, DecryptMailReplacesEachCipherTextInItsPlace) {
  const std::string message =
      "From: Ben <ben@example.org>\nSubject: Re: Treffen\nContent-Type: text/plain\n"
      "Content-Transfer-Encoding: quoted-printable\n\nHallo Anna,\n\n" +
      kCipherText.substr(0, 20) + "=\n" + kCipherText.substr(20) + "\n\nAnna schrieb:\n> " +
      kCipherText + "\n-- \nBen\n";
  const auto result = RunTool({"decrypt", "--mail", "--keyword", "geheim"}, message);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "From: Ben <ben@example.org>\nSubject: Re: Treffen\nContent-Type: text/plain\n"
            "Content-Transfer-Encoding: 8bit\n\nHallo Anna,\n\nHallo Welt,\nbis bald!\n\nAnna "
            "schrieb:\n> Hallo Welt,\n> bis bald!\n-- \nBen\n");
}

TEST(MailText, ADoubtfulDecryptionIsRefusedWithStatusThreeUnlessForced) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
  } cases[] = {
      {"wrong keyword", {"decrypt", "--text", "--keyword", "falsch"}, kCipherText, 3},
      {"wrong keyword, mail",
       {"decrypt", "--mail", "--keyword", "falsch"},
       "Hi\n" + kCipherText,
       3},
      {"cut short", {"decrypt", "--text", "--keyword", "geheim"}, kCipherText.substr(0, 30), 3},
      {"cut short, mail",
       {"decrypt", "--mail", "--keyword", "geheim"},
       kCipherText.substr(0, 29),
       3},
      {"forced", {"decrypt", "--text", "--force", "--keyword", "falsch"}, kCipherText, 0},
      {"no cipher text", {"decrypt", "--mail", "--keyword", "geheim"}, "Hallo Anna!\n", 1},
      {"--mail in hex", {"decrypt", "--mail", "--format", "hex", "--keyword", "geheim"}, "ab", 2},
  };
  for (const auto& c : cases) {
    const auto result = RunTool(c.args, c.input);
    EXPECT_EQ(result.status, c.status) << c.name << ": " << result.err;
    if (c.status == 3) {
      EXPECT_EQ(result.err, "velunor: wrong keyword or damaged cipher text\n") << c.name;
      EXPECT_EQ(result.out, "") << c.name;
    }
  }
}

TEST(MailText, WrappedAndQuotedCipherTextComesBack) {
  const auto wrapped = RunTool({"encrypt", "--text", "--wrap", "10", "--keyword", "geheim"},
                               "Hallo Welt,\nbis bald!\n");
  EXPECT_EQ(wrapped.out, "6Ho1YePWiI\nbT0qN2Y1QQ\ny3nNqG6iQ7\n5C\n");
  std::string quoted;
  for (std::size_t at = 0; at < wrapped.out.size(); at = wrapped.out.find('\n', at) + 1)
    quoted += ">  " + wrapped.out.substr(at, wrapped.out.find('\n', at) + 1 - at);
  for (const auto& args : {std::vector<std::string>{"decrypt", "--text", "--keyword", "geheim"},
                           std::vector<std::string>{"decrypt", "--keyword", "geheim"}}) {
    const auto result = RunTool(args, quoted);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("bis bald!"), std::string::npos) << result.out;
  }
  EXPECT_EQ(RunTool({"encrypt", "--wrap", "10", "--keyword", "geheim"}, "x").status, 2);
  EXPECT_EQ(RunTool({"encrypt", "--text", "--wrap", "999", "--keyword", "geheim"}, "x").status, 2);
}

TEST(KeywordCommand, TheHelpersFirstLineIsTheKeywordAndItSeesNoKeywordVariable) {
  ::setenv("VELUNOR_KEYWORD", "unseen-keyword", 1);
  const struct {
    const char* name;
    std::string command;
    int status;
    std::string out;
  } cases[] = {
      {"first line", "printf 'geheim\\r\\nmore\\n'", 0, "Mrg5trk=\n"},
      {"no VELUNOR_KEYWORD", "test -z \"$VELUNOR_KEYWORD\" && echo geheim", 0, "Mrg5trk=\n"},
      {"status 4", "echo geheim; exit 4", 1, ""},
      {"no output", "true", 1, ""},
      {"keyword too short", "echo ab", 1, ""},
  };
  for (const auto& c : cases) {
    const auto result = RunTool({"encrypt", "--text", "--keyword-command", c.command}, "abc\n");
    EXPECT_EQ(result.status, c.status) << c.name << ": " << result.err;
    EXPECT_EQ(result.out, c.out) << c.name;
    EXPECT_EQ(result.err.find("geheim"), std::string::npos) << c.name;
  }
  ::unsetenv("VELUNOR_KEYWORD");
  EXPECT_EQ(RunTool({"encrypt", "--keyword", "abc", "--keyword-command", "x"}).status, 2);
}

TEST(KeywordCommand, AskPassIsAskedWithThePromptWhereNoTerminalIs) {
  ::setenv("VELUNOR_ASKPASS", "test \"$1\" = 'Keyword: ' && echo geheim; :", 1);
  const auto result =
      test::RunCommand({"setsid", "-w", test::ProgramPath(), "encrypt", "--text"}, "abc\n");
  ::unsetenv("VELUNOR_ASKPASS");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Mrg5trk=\n");
}

}  // namespace
}  // namespace velunor
