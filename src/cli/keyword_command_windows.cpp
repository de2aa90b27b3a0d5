#include "cli/cli_app.h"
#include "cli/keyword_command.h"

namespace velunor::cli {

// Windows has no /bin/sh, and cmd.exe quotes and expands a command line by
// rules of its own: a helper's command would not mean there what it means
// here. The keyword comes from --keyword-file, VELUNOR_KEYWORD or the prompt.
std::string RunKeywordCommand(const std::string& what, const std::string&,
                              const std::vector<std::string>&) {
  throw UsageError(what +
                   " runs no command on Windows: give the keyword with --keyword-file, "
                   "VELUNOR_KEYWORD or at the prompt");
}

}  // namespace velunor::cli
