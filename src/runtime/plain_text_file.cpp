#include "runtime/plain_text_file.h"

#include <string_view>

#include "runtime/streams.h"
#include "runtime/text_lines.h"

namespace velunor {

ByteString LoadPlainTextFile(const std::string& path) {
  const ByteString content = ReadWholeFile(path);
  return WithCrLfBreaks(std::string_view(content).substr(0, content.find('\0')));
}

}  // namespace velunor
