#include "files/in_place_rewrite.h"

#include <cerrno>
#include <cstdint>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include "files/wide_path.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velunor {

namespace {

#ifdef _WIN32

int OpenExisting(const std::string& path) {
  int fd = -1;
  const errno_t error = _wsopen_s(&fd, WidePath(path).c_str(), _O_RDWR | _O_BINARY | _O_NOINHERIT,
                                  _SH_DENYWR, _S_IREAD | _S_IWRITE);
  if (error != 0) errno = error;
  return error == 0 ? fd : -1;
}

long ReadAt(int fd, char* buffer, std::size_t size, std::int64_t offset) {
  if (_lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  return _read(fd, buffer, static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30)));
}

long WriteAt(int fd, const char* data, std::size_t size, std::int64_t offset) {
  if (_lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  return _write(fd, data, static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30)));
}

// Extending the file with zeros behind its old content takes the room.
int Reserve(int fd, std::int64_t size) {
  return _chsize_s(fd, size);
}

int Truncate(int fd, std::int64_t size) {
  return _chsize_s(fd, size) == 0 ? 0 : -1;
}

int SyncFile(int fd) {
  return _commit(fd);
}

int CloseFile(int fd) {
  return _close(fd);
}

bool IsRegularFile(int fd) {
  struct _stat64 info {};
  return _fstat64(fd, &info) == 0 && (info.st_mode & _S_IFREG) != 0;
}

bool ExistsAsRegularFile(const std::string& path) {
  struct _stat64 info {};
  return _wstat64(WidePath(path).c_str(), &info) == 0 && (info.st_mode & _S_IFREG) != 0;
}

#else

int OpenExisting(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

long ReadAt(int fd, char* buffer, std::size_t size, std::int64_t offset) {
  return ::pread(fd, buffer, size, static_cast<off_t>(offset));
}

long WriteAt(int fd, const char* data, std::size_t size, std::int64_t offset) {
  return ::pwrite(fd, data, size, static_cast<off_t>(offset));
}

// Returns the error number; the blocks are allocated, and counted against
// a size limit, without a byte of content being touched.
int Reserve(int fd, std::int64_t size) {
  int error;
  do {
    error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
  } while (error == EINTR);
  return error;
}

int Truncate(int fd, std::int64_t size) {
  return ::ftruncate(fd, static_cast<off_t>(size));
}

int SyncFile(int fd) {
  return ::fsync(fd) != 0 && errno != EINVAL ? -1 : 0;
}

int CloseFile(int fd) {
  return ::close(fd) != 0 && errno != EINTR ? -1 : 0;
}

bool IsRegularFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool ExistsAsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

#endif

// 0, or the error number.
int WriteWhole(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const long n =
        WriteAt(fd, data.data() + done, data.size() - done, static_cast<std::int64_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// 0, or the error number.
int ReadWhole(int fd, std::string& data) {
  char buffer[65536];
  for (;;) {
    const long n = ReadAt(fd, buffer, sizeof buffer, static_cast<std::int64_t>(data.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

// A file opened for the rewrite; closed (unchecked) when left by a failure.
class TOpenFile {
 public:
  explicit TOpenFile(int fd) : fd_(fd) {}
  ~TOpenFile() {
    if (fd_ >= 0) CloseFile(fd_);
  }
  TOpenFile(const TOpenFile&) = delete;
  TOpenFile& operator=(const TOpenFile&) = delete;
  int Fd() const { return fd_; }
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return CloseFile(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Which failures mean that the directory cannot take the temporary file.
bool NoRoomForASecondFile(const EFileReplacement& failure) {
  const int error = failure.Error();
#ifdef EDQUOT
  if (error == EDQUOT) return failure.Step() != TReplacementStep::kReplace;
#endif
  if (error == ENOSPC) return failure.Step() != TReplacementStep::kReplace;
  return failure.Step() == TReplacementStep::kCreate && (error == EACCES || error == EPERM);
}

}  // namespace

void RewriteFileInPlace(const std::string& path, std::string_view content) {
  const auto fail = [&path](TReplacementStep step, int error) {
    throw EFileReplacement(step, path, error);
  };
  TOpenFile file(OpenExisting(path));
  if (file.Fd() < 0) fail(TReplacementStep::kCreate, errno);
  // A device such as /dev/zero has no old content to keep.
  if (!IsRegularFile(file.Fd())) fail(TReplacementStep::kCreate, EINVAL);
  std::string old;
  if (const int error = ReadWhole(file.Fd(), old); error != 0)
    fail(TReplacementStep::kWrite, error);
  const auto oldSize = static_cast<std::int64_t>(old.size());
  const auto newSize = static_cast<std::int64_t>(content.size());

  if (newSize > oldSize) {
    if (const int error = Reserve(file.Fd(), newSize); error != 0) {
      // The reservation may have grown the file before it failed.
      Truncate(file.Fd(), oldSize);
      fail(TReplacementStep::kWrite, error);
    }
  }
  int error = WriteWhole(file.Fd(), content);
  if (error == 0 && newSize < oldSize && Truncate(file.Fd(), newSize) != 0) error = errno;
  if (error == 0 && SyncFile(file.Fd()) != 0) error = errno;
  if (error != 0) {
    // The old content fits where it was.
    WriteWhole(file.Fd(), old);
    Truncate(file.Fd(), oldSize);
    SyncFile(file.Fd());
    fail(TReplacementStep::kWrite, error);
  }
  if (const int closeError = file.Close(); closeError != 0) {
    fail(TReplacementStep::kWrite, closeError);
  }
}

void ReplaceFileContent(const std::string& path, std::string_view content) {
  try {
    ReplaceFileAtomically(path, content);
  } catch (const EFileReplacement& failure) {
    if (!NoRoomForASecondFile(failure) || !ExistsAsRegularFile(path)) throw;
    RewriteFileInPlace(path, content);
  }
}

}  // namespace velunor
