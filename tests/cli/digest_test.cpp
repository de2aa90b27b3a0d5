// `velunor digest`: standard input and files, published digests, text
// formats, and a file that cannot be read among others.
#include <gtest/gtest.h>

#include "cli/run_tool.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using test::RunTool;

TEST(DigestCommand, PublishedDigestsOfStandardInput) {
  std::size_t checked = 0;
  for (const auto& record : test::ReadDataRecords("hash-vectors/md4-ripemd256.txt")) {
    ASSERT_EQ(record.size(), 3u);
    SCOPED_TRACE(record[0] + " " + record[1].substr(0, 40));
    const auto result = RunTool({"digest", "--hash", record[0]}, test::ExpandMessage(record[1]));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, record[2] + "\n");
    ++checked;
  }
  EXPECT_GE(checked, 9u);
}

TEST(DigestCommand, DefaultsToRipeMD256InLowerCaseHex) {
  const auto result = RunTool({"digest"}, "abc");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65\n");
  EXPECT_EQ(result.err, "");
}

TEST(DigestCommand, NamesAndFormats) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"digest", "--hash", "Message Digest 4"}, "a448017aaf21d8525fc10ae87aa6729d\n"},
      {{"digest", "--hash", "md4"}, "a448017aaf21d8525fc10ae87aa6729d\n"},
      {{"digest", "--hash", "THash_MD4", "--format", "hex"}, "A448017AAF21D8525FC10AE87AA6729D\n"},
      {{"digest", "--hash", "ripemd256", "--format", "base64"},
       "r71uIoudjLvO9cotA+bboQrAvH3L5GgOHkLS6XVFm2U=\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2]);
    const auto result = RunTool(c.args, "abc");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
  }
}

TEST(DigestCommand, UnknownHashOrFormatIsAUsageError) {
  EXPECT_EQ(RunTool({"digest", "--hash", "Ripe Message Digest 257"}, "abc").status, 2);
  EXPECT_EQ(RunTool({"digest", "--format", "octal"}, "abc").status, 2);
}

TEST(DigestCommand, FilesGiveOneLineEachAndAMissingOneDoesNotStopTheOthers) {
  const test::ScratchDirectory dir("digest");
  const std::string first = dir.Write("first.txt", "abc");
  const std::string empty = dir.Write("empty.txt", "");
  const std::string missing = dir.PathOf("missing.txt");
  const auto result = RunTool({"digest", first, missing, empty});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65  " +
                            first + "\n" +
                            "02ba4c4e5f8ecd1877fc52d64d30e37a2d9774fb1e5d026380ae0168e3c5522d  " +
                            empty + "\n");
  EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;
}

TEST(DigestCommand, LargeFileDigestsLikeStandardInput) {
  // More than one 4096-byte chunk of the pipeline, with a partial last chunk.
  const test::ScratchDirectory dir("digest-large");
  const ByteString data = test::PatternBytes((1 << 20) + 3, 21);
  const std::string file = dir.Write("large.bin", data);
  const auto fromFile = RunTool({"digest", file});
  const auto fromInput = RunTool({"digest"}, data);
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromInput.out.substr(0, 64) + "  " + file + "\n");
  // The file is only read.
  EXPECT_EQ(RunTool({"digest", file}).out, fromFile.out);
}

TEST(DigestCommand, DashIsStandardInput) {
  const test::ScratchDirectory dir("digest-dash");
  const std::string file = dir.Write("file", "abc");
  const std::string abc = "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65";
  const auto result = RunTool({"digest", file, "-"}, "abc");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, abc + "  " + file + "\n" + abc + "  -\n");
  EXPECT_EQ(RunTool({"digest", "--format", "99"}, "abc").status, 2);
}

}  // namespace
}  // namespace velunor
