#pragma once

// Runs the built `velunor` as a separate process, with its standard output
// where a test wants it: captured, or one of the outputs that fail.
#include <string>
#include <vector>

namespace velunor::test {

enum class StandardOutput {
  kCaptured,
  kDevFull,                  // every write fails with ENOSPC
  kClosed,                   // descriptor 1 is closed
  kBrokenPipe,               // a pipe whose reader has gone, SIGPIPE ignored
  kBrokenPipeDefaultSignal,  // the same with the default SIGPIPE action
};

struct ProgramResult {
  int status;  // the exit status, or 128 + the signal that ended the program
  std::string out;
  std::string err;
  long peakKiB;  // the program's peak resident memory
};

// `input` is standard input, or with `inputPath` that file is.
ProgramResult RunProgram(const std::vector<std::string>& args, const std::string& input = "",
                         StandardOutput output = StandardOutput::kCaptured,
                         const std::string& inputPath = "");

// Runs another program (argv[0] looked up in PATH) on the input.
ProgramResult RunCommand(const std::vector<std::string>& argv, const std::string& input = "");

// The full path of the built program.
std::string ProgramPath();

}  // namespace velunor::test
