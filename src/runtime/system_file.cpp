#include "runtime/system_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace velunor::system_file {

namespace {

// The open flags of a mode, the same on every system.
int AccessFlags(OpenMode mode) {
  switch (mode) {
    case OpenMode::kRead:
      return O_RDONLY;
    case OpenMode::kReadWrite:
      return O_RDWR;
    case OpenMode::kCreate:
      return O_RDWR | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

}  // namespace

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

HANDLE HandleOf(int fd) {
  return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

bool IsDisk(int fd) {
  return ::GetFileType(HandleOf(fd)) == FILE_TYPE_DISK;
}

// The volume and the file's index on it identify a file (Windows has no
// inode numbers in stat).
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  const HANDLE file =
      ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  return known;
}

}  // namespace

int Open(const std::string& path, OpenMode mode) {
  const int flags = AccessFlags(mode) | O_BINARY | O_NOINHERIT;
  int fd = -1;
  errno = ::_wsopen_s(&fd, Wide(path).c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE);
  return fd;
}

// GetTempFileName makes the name; the file is opened anew to be deleted on close.
int OpenTemporary() {
  wchar_t directory[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  if (::GetTempPathW(MAX_PATH + 1, directory) == 0 ||
      ::GetTempFileNameW(directory, L"vel", 0, name) == 0) {
    errno = EACCES;
    return -1;
  }
  const HANDLE file = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ::DeleteFileW(name);
    errno = EACCES;
    return -1;
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_BINARY);
  if (fd < 0) ::CloseHandle(file);
  return fd;
}

int Close(int fd) {
  return ::_close(fd);
}

std::int64_t ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) {
  const auto chunk = static_cast<unsigned>(count > 0x40000000 ? 0x40000000 : count);
  if (IsDisk(fd) && ::_lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  return ::_read(fd, buffer, chunk);
}

std::int64_t WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) {
  const auto chunk = static_cast<unsigned>(count > 0x40000000 ? 0x40000000 : count);
  if (IsDisk(fd) && ::_lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  return ::_write(fd, buffer, chunk);
}

int Truncate(int fd, std::int64_t size) {
  errno = ::_chsize_s(fd, size);
  return errno == 0 ? 0 : -1;
}

int Sync(int fd) {
  return IsDisk(fd) ? ::_commit(fd) : 0;
}

std::int64_t Size(int fd) {
  struct _stat64 info {};
  return ::_fstat64(fd, &info) == 0 ? info.st_size : 0;
}

bool IsDirectory(int fd) {
  struct _stat64 info {};
  return ::_fstat64(fd, &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFDIR;
}

bool IsRegularFile(const std::string& path) {
  struct _stat64 info {};
  return ::_wstat64(Wide(path).c_str(), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
}

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION infoA{};
  BY_HANDLE_FILE_INFORMATION infoB{};
  return FileIdentity(a, infoA) && FileIdentity(b, infoB) &&
         infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
         infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

#else

int Open(const std::string& path, OpenMode mode) {
  const int flags = AccessFlags(mode) | O_CLOEXEC;
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int OpenTemporary() {
  const char* variable = std::getenv("TMPDIR");
  const std::string directory = variable != nullptr && *variable != '\0' ? variable : "/tmp";
#ifdef O_TMPFILE
  const int unnamed = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (unnamed >= 0) return unnamed;
#endif
  // File systems without O_TMPFILE: a unique name, removed at once.
  std::string name = directory + "/velunor-XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.c_str());
  return fd;
}

int Close(int fd) {
  return ::close(fd);
}

std::int64_t ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) {
  ssize_t n = ::pread(fd, buffer, count, static_cast<off_t>(offset));
  // Pipes have no positions: they are read as they come.
  if (n < 0 && errno == ESPIPE) n = ::read(fd, buffer, count);
  return n;
}

std::int64_t WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) {
  return ::pwrite(fd, buffer, count, static_cast<off_t>(offset));
}

int Truncate(int fd, std::int64_t size) {
  return ::ftruncate(fd, static_cast<off_t>(size));
}

int Sync(int fd) {
  // Pipes and terminals cannot be synchronised and need not be.
  return ::fsync(fd) != 0 && errno != EINVAL ? -1 : 0;
}

std::int64_t Size(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
}

bool IsDirectory(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat infoA {};
  struct stat infoB {};
  return ::stat(a.c_str(), &infoA) == 0 && ::stat(b.c_str(), &infoB) == 0 &&
         infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

#endif

}  // namespace velunor::system_file
