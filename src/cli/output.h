#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>

#include "runtime/byte_string.h"

namespace velunor::cli {

// Standard output could not take the results. Not a velunor::Exception, so
// that no command mistakes it for a failure of one input among others.
class OutputFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes bytes unchanged and passes them on at once; raises OutputFailure
// when the output refuses them.
void WriteBytes(std::ostream& out, const ByteString& bytes);

// Passes on what is buffered; raises OutputFailure, with the system's
// reason, when any write to the stream failed.
void FinishOutput(std::ostream& out);

// errno of a failed read or write of a stream over a descriptor, else 0.
int StreamErrorNumber(const std::ios& stream);

// The system's reason for a failed stream, "read or write error" where the
// stream does not know it.
std::string StreamFailureReason(const std::ios& stream);

}  // namespace velunor::cli
