#include <unistd.h>

#include <iostream>

#include "cli/cli_app.h"
#include "cli/fd_buffers.h"

int main(int argc, char** argv) {
  velunor::cli::GuardStandardDescriptors();
  // Standard input and output through buffers that keep the system's reason
  // of a failed read or write, for the messages.
  velunor::cli::FdInputBuffer inBuffer(STDIN_FILENO);
  velunor::cli::FdOutputBuffer outBuffer(STDOUT_FILENO);
  std::istream in(&inBuffer);
  std::ostream out(&outBuffer);
  return velunor::cli::Run(argc, argv, in, out, std::cerr);
}
