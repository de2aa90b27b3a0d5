#pragma once

#include <iosfwd>

#include "runtime/exceptions.h"

namespace velunor::cli {

// Exit statuses of the command line tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // bad input, unreadable file, failed check
inline constexpr int kExitUsage = 2;    // bad usage

// Bad usage found once the options are parsed: a message and exit status 2.
class UsageError : public Exception {
 public:
  using Exception::Exception;
};

// Runs the command line tool on its arguments; input is read from `in`
// unless a file is named, results go to `out`, messages to `err`.
int Run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velunor::cli
