// `velunor list` and `velunor selftest`.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cipher/cipher_registry.h"
#include "cli/run_tool.h"
#include "hash/hash_registry.h"

namespace velunor {
namespace {

using test::RunTool;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

// A row: the name, blanks, then the text.
void ExpectRow(const std::string& row, const std::string& name, const std::string& text) {
  ASSERT_GT(row.size(), name.size());
  EXPECT_EQ(row.substr(0, name.size()), name) << row;
  EXPECT_EQ(row.substr(row.size() - text.size()), text) << row;
  const std::string between = row.substr(name.size(), row.size() - name.size() - text.size());
  EXPECT_FALSE(between.empty()) << row;
  EXPECT_EQ(between.find_first_not_of(' '), std::string::npos) << row;
}

TEST(ListCommand, HashesInRegistryOrderWithTheirDescriptions) {
  const auto result = RunTool({"list", "hashes"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto rows = Lines(result.out);
  const auto& entries = HashRegistry().Entries();
  ASSERT_EQ(rows.size(), entries.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string name = HashClassName(entries[i].cls);
    EXPECT_EQ(rows[i].substr(0, name.size()), name);
  }
  ExpectRow(rows[0], "Message Digest 4", "Hash, 128bit Digestsize");
  const auto ripe = std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
    return row.rfind("Ripe Message Digest 256 ", 0) == 0;
  });
  ASSERT_NE(ripe, rows.end());
  ExpectRow(*ripe, "Ripe Message Digest 256", "Hash, 256bit Digestsize");
}

TEST(ListCommand, CiphersWithTheirKeySizes) {
  const auto result = RunTool({"list", "ciphers"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto rows = Lines(result.out);
  ASSERT_EQ(rows.size(), CipherRegistry().Entries().size());
  const auto blowfish = std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
    return row.rfind("Blowfish ", 0) == 0;
  });
  ASSERT_NE(blowfish, rows.end());
  ExpectRow(*blowfish, "Blowfish", "448bit Key");
}

TEST(ListCommand, ModesInOrder) {
  const auto result = RunTool({"list", "modes"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto rows = Lines(result.out);
  const char* const names[] = {"cts", "cbc", "cfb", "ofb", "ecb", "ctsmac", "cbcmac", "cfbmac"};
  const char* const stored[] = {"cmCTS", "cmCBC",    "cmCFB",    "cmOFB",
                                "cmECB", "cmCTSMAC", "cmCBCMAC", "cmCFBMAC"};
  ASSERT_EQ(rows.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    ExpectRow(rows[i], names[i], std::string(stored[i]) + " (" + std::to_string(i) + ")");
  }
}

TEST(ListCommand, UnknownListIsAUsageError) {
  EXPECT_EQ(RunTool({"list", "rijndael"}).status, 2);
  EXPECT_EQ(RunTool({"list"}).status, 2);
}

TEST(SelfTestCommand, EveryRegisteredClassPasses) {
  const auto result = RunTool({"selftest"});
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  const auto rows = Lines(result.out);
  EXPECT_EQ(rows.size(), HashRegistry().Entries().size() + CipherRegistry().Entries().size());
  for (const std::string expected : {"ok    THash_RipeMD256", "ok    TCipher_Blowfish"}) {
    EXPECT_NE(std::find(rows.begin(), rows.end(), expected), rows.end()) << expected;
  }
}

}  // namespace
}  // namespace velunor
