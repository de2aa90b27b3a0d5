#include "cheatsheet/spicker_file.h"

#include <unistd.h>

#include <cstdint>

#include "runtime/streams.h"

namespace velunor {

EMemoCapacity::EMemoCapacity() : Exception("Text überschreitet Memo-Kapazität") {}

std::string SpickerFileNameBeside(std::string_view programFilePath) {
  const std::size_t nameStart = programFilePath.rfind('/') + 1;  // 0 when there is no "/"
  std::size_t dot = programFilePath.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) dot = programFilePath.size();
  return std::string(programFilePath.substr(0, dot)) + ".msg";
}

bool DirectoryIsWritable(const std::string& directory) {
  return ::access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string ChooseSpickerFileName(const std::string& programFilePath,
                                  const std::string& fallbackDirectory) {
  std::string besideProgram = SpickerFileNameBeside(programFilePath);
  const std::size_t slash = besideProgram.rfind('/');
  const std::string programDirectory =
      slash == std::string::npos ? "." : besideProgram.substr(0, slash == 0 ? 1 : slash);
  if (DirectoryIsWritable(programDirectory) || fallbackDirectory.empty()) return besideProgram;
  return fallbackDirectory + '/' + kFallbackSpickerFileName;
}

ByteString WithCrLfBreaks(std::string_view text) {
  ByteString result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      result += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    result += "\r\n";
  }
  return result;
}

void CheckMemoCapacity(std::size_t textBytes) {
  if (textBytes > kMemoCapacity) throw EMemoCapacity();
}

ByteString ReadSpickerText(const std::string& path) {
  TFileStream file(path, TFileStream::Mode::kOpenRead);
  ByteString text;
  char buffer[65536];
  std::int32_t n;
  while ((n = file.Read(buffer, static_cast<std::int32_t>(sizeof buffer))) > 0) {
    const std::string_view chunk(buffer, static_cast<std::size_t>(n));
    const std::size_t zero = chunk.find('\0');
    text.append(chunk.substr(0, zero));
    // Line breaks never get shorter, so a text already too long stays so.
    CheckMemoCapacity(text.size());
    if (zero != std::string_view::npos) break;
  }
  text = WithCrLfBreaks(text);
  CheckMemoCapacity(text.size());
  return text;
}

}  // namespace velunor
