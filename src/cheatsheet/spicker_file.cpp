#include "cheatsheet/spicker_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "runtime/streams.h"
#include "runtime/text_lines.h"

namespace velunor {

EMemoCapacity::EMemoCapacity() : Exception("Text überschreitet Memo-Kapazität") {}

EKeptTextTooLong::EKeptTextTooLong() : Exception("kept text longer than a cheat sheet holds") {}

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

std::optional<ByteString> ReadKeptText(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0 && (errno == ENOENT || errno == ELOOP)) return std::nullopt;
  if (fd < 0) throw EFOpenError(path, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  ByteString text;
  char buffer[65536];
  ssize_t n = 0;
  while (text.size() <= kKeptTextCapacity && (n = ::read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (n < 0) throw EReadError();
  // A character is a byte that does not continue the one before.
  const ByteString shown = WithCrLfBreaks(text);
  const auto characters = std::count_if(shown.begin(), shown.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  });
  if (text.size() > kKeptTextCapacity || static_cast<std::size_t>(characters) > kMemoCapacity) {
    throw EKeptTextTooLong();
  }
  return text;
}

}  // namespace velunor
