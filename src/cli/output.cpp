#include "cli/output.h"

#include <cstring>
#include <ostream>

#include "cli/fd_buffers.h"

namespace velunor::cli {

int StreamErrorNumber(const std::ios& stream) {
  if (const auto* out = dynamic_cast<const FdOutputBuffer*>(stream.rdbuf())) return out->Error();
  if (const auto* in = dynamic_cast<const FdInputBuffer*>(stream.rdbuf())) return in->Error();
  return 0;
}

std::string StreamFailureReason(const std::ios& stream) {
  const int error = StreamErrorNumber(stream);
  return error != 0 ? std::strerror(error) : "read or write error";
}

void WriteBytes(std::ostream& out, const ByteString& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FinishOutput(out);
}

void FinishOutput(std::ostream& out) {
  out.flush();
  if (!out) throw OutputFailure("cannot write standard output: " + StreamFailureReason(out));
}

}  // namespace velunor::cli
