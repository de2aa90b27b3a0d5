#include "cli/input.h"

#include <istream>
#include <iterator>
#include <ostream>

#include "protection/streams.h"

namespace velunor::cli {

ByteString ReadInput(const std::string& path, std::istream& in) {
  if (path.empty() || path == "-") {
    return ByteString(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return ReadWholeFile(path);
}

void WriteBytes(std::ostream& out, const ByteString& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
}

}  // namespace velunor::cli
