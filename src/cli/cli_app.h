#pragma once

#include <iosfwd>

#include "runtime/exceptions.h"

namespace velunor::cli {

// Exit statuses of the command line tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // bad input, unreadable file, failed check
inline constexpr int kExitUsage = 2;    // bad usage
// A decrypted text that does not read as text: a wrong keyword, or a
// cipher text damaged or cut short. Nothing was written.
inline constexpr int kExitDoubtful = 3;

// Bad usage found once the options are parsed: a message and exit status 2.
class UsageError : public Exception {
 public:
  using Exception::Exception;
};

// A decryption refused as doubtful: the message and exit status 3.
class DoubtfulDecryption : public Exception {
 public:
  DoubtfulDecryption() : Exception("wrong keyword or damaged cipher text") {}
};

// Runs the command line tool on its arguments; input is read from `in`
// unless a file is named, results go to `out`, messages to `err`.
int Run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velunor::cli
