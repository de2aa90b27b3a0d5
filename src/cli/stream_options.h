#pragma once

#include <string>

#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "protection/byte_sink.h"

namespace velunor::cli {

// Where the results of a coding command go and whether it shows how far it
// has read.
struct StreamOptions {
  std::string output;
  bool progress = false;
};

// Adds -o/--output and --progress.
void AddStreamOptions(CLI::App& command, StreamOptions& options);

// Reads the input (the named file or standard input) into `sink`, with
// progress on standard error where the options or the input ask for it.
void PumpCommandInput(const StreamOptions& options, const std::string& path,
                      CommandContext& context, ByteSink& sink);

}  // namespace velunor::cli
