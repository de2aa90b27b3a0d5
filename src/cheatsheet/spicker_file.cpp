#include "cheatsheet/spicker_file.h"

#include <unistd.h>

#include "runtime/streams.h"
#include "runtime/text_lines.h"

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

void CheckMemoCapacity(std::size_t textBytes) {
  if (textBytes > kMemoCapacity) throw EMemoCapacity();
}

ByteString ReadSpickerText(const std::string& path) {
  ByteString text;
  ReadFileInPieces(path, [&](std::string_view piece) {
    const std::size_t zero = piece.find('\0');
    text.append(piece.substr(0, zero));
    // Line breaks never get shorter, so a text already too long stays so.
    CheckMemoCapacity(text.size());
    return zero == std::string_view::npos;
  });
  text = WithCrLfBreaks(text);
  CheckMemoCapacity(text.size());
  return text;
}

}  // namespace velunor
