// `velunor mac`, and encrypt and decrypt refusing the MAC modes (which
// leave the data as it is).
#include <gtest/gtest.h>

#include "cli/run_tool.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using test::RunTool;

TEST(MacCommand, EncryptAndDecryptRefuseTheMacModes) {
  for (const std::string mode : {"ctsmac", "cbcmac", "cfbmac", "5", "6", "7", "cmCBCMAC"}) {
    for (const std::string command : {"encrypt", "decrypt"}) {
      SCOPED_TRACE(command + " " + mode);
      const auto result = RunTool({command, "--keyword", "abc", "--mode", mode}, "secret");
      EXPECT_EQ(result.status, 2);
      EXPECT_EQ(result.out, "");
      EXPECT_NE(result.err.find("velunor mac --mode"), std::string::npos) << result.err;
    }
  }
}

TEST(MacCommand, OneBlockFromAZeroVectorIsThePublishedBlowfishBlock) {
  // With a zero initial vector the CBC and CTS chains of one block both end
  // at E(block): the published Blowfish vector.
  const ByteString block = test::FromHex("0123456789abcdef");
  const std::vector<std::string> key = {"--key", "fedcba9876543210", "--iv", "0000000000000000"};
  const struct {
    std::vector<std::string> options;
    std::string out;
  } cases[] = {
      {{"--mode", "cbcmac"}, "0aceab0fc6a0a28d\n"},
      {{}, "0aceab0fc6a0a28d\n"},
      {{"--mode", "cmCTSMAC", "--format", "hex"}, "0ACEAB0FC6A0A28D\n"},
      {{"--mode", "6", "--format", "base64"}, "Cs6rD8agoo0=\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"mac"};
    args.insert(args.end(), key.begin(), key.end());
    args.insert(args.end(), c.options.begin(), c.options.end());
    SCOPED_TRACE(testing::PrintToString(args));
    const auto result = RunTool(args, block);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
  }
}

TEST(MacCommand, TheValueCoversTheDataAndTheKey) {
  const test::ScratchDirectory dir("mac");
  const ByteString data = test::PatternBytes(5000, 9);
  const std::string file = dir.Write("data", data);
  for (const std::string mode : {"ctsmac", "cbcmac", "cfbmac"}) {
    SCOPED_TRACE(mode);
    const auto mac = RunTool({"mac", "--keyword", "Sommer", "--mode", mode}, data);
    ASSERT_EQ(mac.status, 0) << mac.err;
    EXPECT_EQ(mac.out.size(), 17u);
    EXPECT_EQ(RunTool({"mac", "--keyword", "Sommer", "--mode", mode, file}).out, mac.out);
    EXPECT_EQ(RunTool({"mac", "--keyword", "Sommer", "--mode", mode, "-"}, data).out, mac.out);
    EXPECT_NE(RunTool({"mac", "--keyword", "Winter", "--mode", mode}, data).out, mac.out);
    ByteString changed = data;
    changed[100] ^= 1;
    EXPECT_NE(RunTool({"mac", "--keyword", "Sommer", "--mode", mode}, changed).out, mac.out);
  }
}

TEST(MacCommand, BadUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"mac", "--keyword", "abc", "--mode", "cts"},
        {"mac", "--keyword", "abc", "--mode", "4"},
        {"mac", "--keyword", "abc", "--format", "99"},
        {"mac", "--key", "00", "--keyword", "abc"}}) {
    EXPECT_EQ(RunTool(args, "data").status, 2) << testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace velunor
