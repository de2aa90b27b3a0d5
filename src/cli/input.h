#pragma once

#include <cerrno>
#include <iosfwd>
#include <string>

#include "protection/byte_sink.h"
#include "runtime/byte_string.h"
#include "runtime/exceptions.h"
#include "runtime/streams.h"

namespace velunor::cli {

// True when a FILE argument stands for standard input: none, or "-".
bool IsStandardInput(const std::string& path);

// All bytes of the named file, or of `in` for standard input. Raises
// velunor::Exception with the system's reason when they cannot be read.
ByteString ReadInput(const std::string& path, std::istream& in);

// Reads the named file or standard input to its end in pieces into `sink`,
// reporting the bytes read so far, then finishes the sink. Memory use does
// not grow with the input.
void PumpInput(const std::string& path, std::istream& in, ByteSink& sink,
               const PumpProgress& progress = {});

// At most `limit` bytes of the named file or of standard input.
ByteString ReadInputPrefix(const std::string& path, std::istream& in, std::size_t limit);

// The library's file error as a message of the tool: what failed on which
// file, and the system's reason (`error` where the library does not keep it).
Exception DescribeFileError(const std::string& path, const EStreamError& failure, int error);

// Runs `work` on the file `path`; the library's file errors come out as
// messages of the tool.
template <class Work>
auto WithFileErrors(const std::string& path, Work&& work) -> decltype(work()) {
  try {
    return work();
  } catch (const EStreamError& failure) {
    const int error = errno;
    throw DescribeFileError(path, failure, error);
  }
}

}  // namespace velunor::cli
