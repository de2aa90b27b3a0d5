#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/fd_buffers.h"
#include "cli/process_environment.h"
#include "files/ending_signals.h"

int main(int argc, char** argv) {
  velunor::cli::GuardStandardDescriptors();
  // Ctrl+C and its kin leave no partial -o file behind.
  velunor::RemoveTemporaryFilesOnEndingSignals();
  velunor::cli::UseBinaryStandardStreams();
  const std::vector<std::string> arguments = velunor::cli::Utf8Arguments(argc, argv);
  std::vector<const char*> argumentPointers;
  for (const std::string& argument : arguments)
    argumentPointers.push_back(argument.c_str());
  // Standard input and output through buffers that keep the system's reason
  // of a failed read or write, for the messages.
  velunor::cli::FdInputBuffer inBuffer(STDIN_FILENO);
  velunor::cli::FdOutputBuffer outBuffer(STDOUT_FILENO);
  std::istream in(&inBuffer);
  std::ostream out(&outBuffer);
  return velunor::cli::Run(static_cast<int>(argumentPointers.size()), argumentPointers.data(), in,
                           out, std::cerr);
}
