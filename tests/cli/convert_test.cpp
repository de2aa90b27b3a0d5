// `velunor convert`, driven in-process through velunor::cli::Run, and once
// through the real program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/named_formats.h"
#include "cli/run_tool.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using namespace std::string_literals;

using test::RunTool;

TEST(Convert, EveryFormatRoundTripsByNameAndNumber) {
  const ByteString data = "\0\n\r\xFF "s + test::PatternBytes(300);
  for (const auto& named : test::NamedFormatsWithDefault()) {
    for (const std::string& format : {named.name, named.number}) {
      SCOPED_TRACE(format);
      const auto text = RunTool({"convert", "--to", format}, data);
      ASSERT_EQ(text.status, cli::kExitOk) << text.err;
      ASSERT_FALSE(text.out.empty());
      // Text ends with a line break, copied bytes come out as they are.
      EXPECT_EQ(text.out.back() == '\n', format != "copy" && format != "1");
      const auto bytes = RunTool({"convert", "--from", format}, text.out);
      EXPECT_EQ(bytes.status, cli::kExitOk) << bytes.err;
      EXPECT_EQ(bytes.out, data);
      EXPECT_EQ(bytes.err, "");
    }
  }
}

TEST(Convert, KnownOutputs) {
  struct Case {
    std::vector<std::string> args;
    std::string input, output;
  };
  const Case cases[] = {
      {{"convert", "--to", "base64"}, "abc", "YWJj\n"},
      {{"convert", "--to=HEXL"}, "\xAB\xCD", "abcd\n"},
      {{"convert", "--to", "uu"}, "abc", "#86)C\n"},
      {{"convert", "--to", "none"}, "abc", "\n"},
      {{"convert", "--to", "0"}, "abc", "\n"},
      {{"convert", "--to", "hex"}, "", "\n"},
      {{"convert", "--from", "base64"}, "YWJj\r\n", "abc"},
      {{"convert", "--from", "hex"}, "0x1234", "\x12\x34"},
      {{"convert", "--from", "none"}, "YWJj", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const auto result = RunTool(c.args, c.input);
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_EQ(result.out, c.output);
  }
}

TEST(Convert, BadInputGivesTheMessageAndStatus1) {
  struct Case {
    std::vector<std::string> args;
    std::string input, message;
  };
  const Case cases[] = {
      {{"convert", "--from", "base64"}, "YWJj!", "Input is not an valid MIME Base 64 Format."},
      {{"convert", "--from", "uu"}, "#86)C~\r\n", "Input is not an valid UU Coding Format."},
      {{"convert", "--from", "hex"}, "12g4", "Input is not an valid Hexadecimal Format."},
      {{"convert", "--to", "hex", "/nonexistent/velunor-input"},
       "",
       "cannot open /nonexistent/velunor-input: No such file or directory"},
      {{"convert", "--to", "hex", "/"}, "", "cannot open /: Is a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto result = RunTool(c.args, c.input);
    EXPECT_EQ(result.status, cli::kExitFailure);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST(Convert, BadUsageGivesStatus2) {
  const std::vector<std::string> cases[] = {
      {"convert"},
      {"convert", "--to", "base65"},
      {"convert", "--from", ""},
      {"convert", "--to", "hex", "--from", "hex"},
      {"convert", "--to", "7"},
      {"convert", "--from", "99"},
      {"convert", "--to"},
      {},
  };
  for (const auto& args : cases) {
    const auto result = RunTool(args, "abc");
    EXPECT_EQ(result.status, cli::kExitUsage) << testing::PrintToString(args);
    EXPECT_FALSE(result.err.empty());
    EXPECT_EQ(result.out, "");
  }
}

TEST(Convert, HelpAndVersion) {
  for (const auto& args :
       {std::vector<std::string>{"--help"}, {"convert", "--help"}, {"--version"}}) {
    const auto result = RunTool(args);
    EXPECT_EQ(result.status, cli::kExitOk);
    EXPECT_NE(result.out.find(args.front() == "--version" ? "velunor" : "convert"),
              std::string::npos)
        << result.out;
  }
}

TEST(Convert, TheProgramReadsAFile) {
  const auto path =
      std::filesystem::temp_directory_path() / ("velunor-convert-" + std::to_string(::getpid()));
  std::ofstream(path, std::ios::binary) << "abc\0"s;
  const std::string command =
      std::string(VELUNOR_BIN_DIR) + "/velunor convert --to hex '" + path.string() + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
    output.append(buffer, n);
  const int status = ::pclose(pipe);
  std::filesystem::remove(path);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(output, "61626300\n");
}

}  // namespace
}  // namespace velunor
