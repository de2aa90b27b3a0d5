#include "cli/stream_options.h"

#include <optional>

#include "cli/input.h"
#include "cli/progress.h"

namespace velunor::cli {

void AddStreamOptions(CLI::App& command, StreamOptions& options) {
  command.add_option("-o,--output", options.output,
                     "write the result to this file, replaced whole once all went well "
                     "(default or -: standard output)");
  command.add_flag("--progress", options.progress,
                   "show on standard error how far the input has been read (shown anyway on a "
                   "terminal for a file of 64 MiB or more)");
}

void PumpCommandInput(const StreamOptions& options, const std::string& path,
                      CommandContext& context, ByteSink& sink) {
  const std::uint64_t size = InputSize(path);
  std::optional<ProgressReport> report;
  if (options.progress || ShowsProgressByDefault(size)) report.emplace(context.err, size);
  PumpInput(path, context.in, sink, [&report](std::uint64_t done) {
    if (report) report->Update(done);
  });
}

}  // namespace velunor::cli
