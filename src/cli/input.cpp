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
  TFileStream file(path, TFileStream::Mode::kOpenRead);
  ByteString data;
  char buffer[65536];
  std::int32_t n;
  while ((n = file.Read(buffer, static_cast<std::int32_t>(sizeof buffer))) > 0) {
    data.append(buffer, static_cast<std::size_t>(n));
  }
  return data;
}

void WriteBytes(std::ostream& out, const ByteString& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
}

}  // namespace velunor::cli
