#include "encrypter/spicker_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/file_replacement.h"
#include "files/wide_path.h"
#include "runtime/streams.h"
#include "runtime/text_lines.h"

namespace velunor::encrypter {

namespace {

#ifdef _WIN32
constexpr std::string_view kDirectorySeparators = "/\\";
constexpr char kDirectorySeparator = '\\';
#else
constexpr std::string_view kDirectorySeparators = "/";
constexpr char kDirectorySeparator = '/';
#endif

// A UTF-8 path for the standard library's file system calls, which on
// Windows would take a plain string in the ANSI code page.
std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Reads until the end or beyond kKeptTextCapacity; -1 from `read` is a failure.
template <class Read>
ByteString ReadKeptBytes(Read read) {
  ByteString text;
  char buffer[65536];
  std::ptrdiff_t n = 0;
  while (text.size() <= kKeptTextCapacity && (n = read(buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  if (n < 0) throw EReadError();
  return text;
}

#ifdef _WIN32

// The kept text's file, or nothing where no regular file is: a link (a
// reparse point) is not followed and a folder not read.
std::optional<ByteString> ReadKeptFile(const std::string& path) {
  const std::wstring name = WidePath(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw EFOpenError(path, EACCES);
  }
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return std::nullopt;
  }
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::nullopt;
    throw EFOpenError(path, EACCES);
  }
  struct TClose {
    HANDLE file;
    ~TClose() { CloseHandle(file); }
  } close{file};
  if (GetFileType(file) != FILE_TYPE_DISK) return std::nullopt;
  return ReadKeptBytes([file](char* buffer, std::size_t size) -> std::ptrdiff_t {
    DWORD read = 0;
    if (!ReadFile(file, buffer, static_cast<DWORD>(size), &read, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(read);
  });
}

#else

std::optional<ByteString> ReadKeptFile(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0 && (errno == ENOENT || errno == ELOOP)) return std::nullopt;
  if (fd < 0) throw EFOpenError(path, errno);
  struct TClose {
    int fd;
    ~TClose() { ::close(fd); }
  } close{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return ReadKeptBytes([fd](char* buffer, std::size_t size) -> std::ptrdiff_t {
    ssize_t n;
    do {
      n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
  });
}

#endif

}  // namespace

EMemoCapacity::EMemoCapacity() : Exception("Text überschreitet Memo-Kapazität") {}

EKeptTextTooLong::EKeptTextTooLong(std::string path)
    : Exception("kept text longer than a cheat sheet holds"), path_(std::move(path)) {}

std::string SpickerFileNameBeside(std::string_view programFilePath) {
  // 0 when there is no separator.
  const std::size_t nameStart = programFilePath.find_last_of(kDirectorySeparators) + 1;
  std::size_t dot = programFilePath.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) dot = programFilePath.size();
  return std::string(programFilePath.substr(0, dot)) + ".msg";
}

#ifdef _WIN32

bool DirectoryIsWritable(const std::string& directory) {
  // The access rights of a folder tell nothing reliable on Windows (an
  // installed program's folder is no read-only folder): a file made and
  // dropped at once says whether one can be made there.
  std::wstring probe = WidePath(directory);
  if (!probe.empty() && probe.back() != L'\\' && probe.back() != L'/') probe += L'\\';
  probe += L"cmvelunor-" + std::to_wstring(GetCurrentProcessId()) + L".probe";
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string UserDataDirectory() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == L'\0') return {};
  return Utf8OfWide(appData) + kDirectorySeparator + kUserDataFolderName;
}

#else

bool DirectoryIsWritable(const std::string& directory) {
  return ::access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string UserDataDirectory() {
  // A relative $XDG_DATA_HOME is no valid one and counts as unset.
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') {
    return std::string(dataHome) + '/' + kUserDataFolderName;
  }
  const char* home = std::getenv("HOME");
  const std::string homeDirectory = home != nullptr && home[0] != '\0' ? home : "/";
  return homeDirectory + (homeDirectory.back() == '/' ? "" : "/") + ".local/share/" +
         kUserDataFolderName;
}

#endif

std::string ChooseSpickerFileName(const std::string& programFilePath,
                                  const std::string& fallbackDirectory) {
  std::string besideProgram = SpickerFileNameBeside(programFilePath);
  const std::size_t separator = besideProgram.find_last_of(kDirectorySeparators);
  const std::string programDirectory =
      separator == std::string::npos ? "."
                                     : besideProgram.substr(0, separator == 0 ? 1 : separator);
  if (DirectoryIsWritable(programDirectory) || fallbackDirectory.empty()) return besideProgram;
  return fallbackDirectory + kDirectorySeparator + kFallbackSpickerFileName;
}

std::string SpickerFileNameFor(const std::string& programFilePath) {
  return ChooseSpickerFileName(programFilePath, UserDataDirectory());
}

std::string KeptTextFileName(const std::string& spickerFileName) {
  return spickerFileName + kKeptTextSuffix;
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

void SaveSpickerText(const std::string& path, std::string_view text) {
  CheckMemoCapacity(text.size());
  const std::filesystem::path file = PathOf(path);
  std::error_code ignored;
  // The user's data folder may not exist yet; a failure shows when the file is made.
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  try {
    ReplaceFileAtomically(path, text, TFileReplacement::kPrivateNewFileMode);
  } catch (const EFileReplacement& failure) {
    if (failure.Step() == TReplacementStep::kWrite) throw EWriteError();
    throw EFCreateError(path, failure.Error());
  }
  std::filesystem::remove(PathOf(KeptTextFileName(path)), ignored);
}

std::optional<ByteString> ReadKeptText(const std::string& path) {
  std::optional<ByteString> text = ReadKeptFile(path);
  if (!text) return text;
  // A character is a byte that does not continue the one before.
  const ByteString shown = WithCrLfBreaks(*text);
  const auto characters = std::count_if(shown.begin(), shown.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  });
  if (text->size() > kKeptTextCapacity || static_cast<std::size_t>(characters) > kMemoCapacity) {
    throw EKeptTextTooLong(path);
  }
  return text;
}

void KeepText(const std::string& path, std::string_view utf8) {
  // Never through a link planted at its name, which could point anywhere.
  ReplaceFileAtomically(path, WithCrLfBreaks(utf8), TFileReplacement::kPrivateNewFileMode,
                        TTargetName::kNameItself);
}

TKeptTextNotice KeptTextNotice(const std::string& path) {
  try {
    return ReadKeptText(path) ? TKeptTextNotice::kKept : TKeptTextNotice::kNone;
  } catch (const EKeptTextTooLong&) {
    return TKeptTextNotice::kTooLong;
  } catch (const Exception&) {
    // Unreadable: the sheet says why when it opens.
    return TKeptTextNotice::kKept;
  }
}

}  // namespace velunor::encrypter
