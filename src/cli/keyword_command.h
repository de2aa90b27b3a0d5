#pragma once

#include <string>
#include <vector>

namespace velunor::cli {

// A keyword from a helper program: `command` runs through `/bin/sh -c`
// with `arguments` as its positional parameters ($1 ...), standard input
// from /dev/null (the data may be on the tool's own) and standard error
// the tool's. The first line of its standard output is the keyword (a
// final CR is removed); the rest is read and dropped. The helper's
// environment lacks VELUNOR_KEYWORD: a keyword goes to no other program.
//
// Raises velunor::Exception, naming `what` (the option or variable that
// gave the command) but never the command or its output, when the helper
// cannot be started, ends with a status other than 0 or by a signal, or
// prints no keyword. On Windows no helper is run: UsageError says so.
std::string RunKeywordCommand(const std::string& what, const std::string& command,
                              const std::vector<std::string>& arguments = {});

}  // namespace velunor::cli
