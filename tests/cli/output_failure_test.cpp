// The real program on outputs that refuse its results (a full device, a
// closed descriptor, a pipe without reader) and on unreadable input: it
// says why and fails, instead of claiming success.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/program.h"

namespace velunor {
namespace {

using test::RunProgram;
using test::StandardOutput;

struct Command {
  std::vector<std::string> args;
  std::string input;
};

const Command kCommands[] = {
    {{"encrypt", "--keyword", "abc"}, "plain text\n"},
    {{"decrypt", "--keyword", "abc", "--format", "hex"}, "0011223344\n"},
    {{"mac", "--keyword", "abc"}, "data"},
    {{"convert", "--to", "hex"}, "bytes"},
    {{"digest"}, "abc"},
    {{"digest", "-", "-"}, "abc"},
    {{"list", "hashes"}, ""},
    {{"selftest"}, ""},
    {{"--help"}, ""},
};

TEST(OutputFailure, EveryCommandSaysWhyAndFails) {
  const struct {
    StandardOutput output;
    const char* reason;
  } outputs[] = {
      {StandardOutput::kDevFull, "No space left on device"},
      {StandardOutput::kClosed, "Bad file descriptor"},
      {StandardOutput::kBrokenPipe, "Broken pipe"},
  };
  for (const auto& command : kCommands) {
    // The command works on a real output.
    const auto fine = RunProgram(command.args, command.input);
    ASSERT_EQ(fine.status, 0) << command.args[0] << ": " << fine.err;
    ASSERT_FALSE(fine.out.empty());
    for (const auto& output : outputs) {
      SCOPED_TRACE(command.args[0] + " " + output.reason);
      const auto result = RunProgram(command.args, command.input, output.output);
      EXPECT_EQ(result.status, 1);
      EXPECT_EQ(result.err,
                std::string("velunor: cannot write standard output: ") + output.reason + "\n");
    }
    // With the default SIGPIPE action the program ends quietly by the signal.
    const auto quiet =
        RunProgram(command.args, command.input, StandardOutput::kBrokenPipeDefaultSignal);
    EXPECT_EQ(quiet.status, 128 + 13) << command.args[0];
    EXPECT_EQ(quiet.err, "");
  }
}

TEST(OutputFailure, AnUnreadableStandardInputIsNotAnEmptyOne) {
  // A directory as standard input fails every read with EISDIR.
  for (const std::string args : {"digest", "convert --to hex", "encrypt --keyword abc"}) {
    const std::string command = test::ProgramPath() + " " + args + " < / 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    const int status = ::pclose(pipe);
    EXPECT_EQ(std::string(buffer, n), "velunor: cannot read standard input: Is a directory\n");
    EXPECT_EQ(WEXITSTATUS(status), 1) << args;
  }
}

}  // namespace
}  // namespace velunor
