#include "files/file_replacement.h"

#include <cerrno>
#include <random>

#include "files/ending_signals.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include "files/wide_path.h"
#else
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#endif

namespace velunor {

EFileReplacement::EFileReplacement(TReplacementStep step, const std::string& path, int error)
    : std::system_error(error, std::generic_category(), path), step_(step), path_(path) {}

namespace {

constexpr int kTemporaryNameTries = 100;

std::string ParentDirectory(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// ".<name>.<random>.tmp" beside the target: hidden, and recognisable as a
// leftover should the program be killed while writing.
std::string TemporaryNameBeside(const std::string& target) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  thread_local std::minstd_rand random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> digit(0, sizeof kDigits - 2);
  const std::size_t slash = target.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = target.substr(0, nameStart) + '.' + target.substr(nameStart) + '.';
  for (int i = 0; i < 8; ++i)
    name += kDigits[digit(random)];
  return name + ".tmp";
}

#ifdef _WIN32

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
      return ENOENT;
    default:
      return EIO;
  }
}

int OpenNew(const std::string& path, std::filesystem::perms mode) {
  const bool writable =
      (mode & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
  int fd = -1;
  const errno_t error = _wsopen_s(&fd, WidePath(path).c_str(),
                                  _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                  _SH_DENYRW, writable ? _S_IREAD | _S_IWRITE : _S_IREAD);
  if (error != 0) errno = error;
  return error == 0 ? fd : -1;
}

long WriteSome(int fd, const char* data, std::size_t size) {
  constexpr std::size_t kLargestWrite = 1u << 30;
  return _write(fd, data, static_cast<unsigned>(size < kLargestWrite ? size : kLargestWrite));
}

int SyncFile(int fd) {
  return _commit(fd);
}

int CloseFile(int fd) {
  return _close(fd);
}

int RenameOver(const std::string& from, const std::string& to) {
  if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  errno = ErrnoOf(GetLastError());
  return -1;
}

// MOVEFILE_WRITE_THROUGH has already flushed the rename.
int SyncDirectory(const std::string&) {
  return 0;
}

void RemoveFile(const std::string& path) {
  _wunlink(WidePath(path).c_str());
}

// Windows has neither files without a name nor descriptor names.
int OpenUnnamed(const std::string&, std::filesystem::perms) {
  return -1;
}

bool LinkUnnamed(int, const std::string&) {
  return false;
}

#else

std::string FollowLinks(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  // A dangling link: its name becomes the new file's.
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// The descriptor number in a name of one of the process's descriptors.
int DescriptorNumberIn(const std::string& path) {
  if (path == "/dev/stdin") return 0;
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  const std::string folders[] = {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/",
                                 "/proc/" + std::to_string(::getpid()) + "/fd/"};
  for (const std::string& folder : folders) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) continue;
    int fd = -1;
    const char* end = path.data() + path.size();
    const auto [last, error] = std::from_chars(path.data() + folder.size(), end, fd);
    if (error == std::errc() && last == end) return fd;
  }
  return -1;
}

// The open descriptor of this process that the path names, itself or
// through symbolic links; -1 for any other path. (Following the links to
// their end would give the file that is open there, which must not be
// replaced: "> log" would lose its position, ">> log" its earlier lines.)
int DescriptorNamedBy(std::string path) {
  constexpr int kMostLinks = 40;
  for (int link = 0; link < kMostLinks; ++link) {
    if (const int fd = DescriptorNumberIn(path); fd >= 0) return fd;
    char next[PATH_MAX];
    const ssize_t size = ::readlink(path.c_str(), next, sizeof next);
    if (size <= 0 || static_cast<std::size_t>(size) == sizeof next) return -1;
    const std::string target(next, static_cast<std::size_t>(size));
    path = target.front() == '/' ? target : ParentDirectory(path) + '/' + target;
  }
  return -1;
}

int OpenNew(const std::string& path, std::filesystem::perms mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// A file without a name in the directory, to be linked in by LinkUnnamed;
// -1 where the file system or the system cannot make one, or where there is
// no /proc to link it through.
int OpenUnnamed(const std::string& directory, std::filesystem::perms mode) {
#ifdef O_TMPFILE
  int fd;
  do {
    fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
  } while (fd < 0 && errno == EINTR);
  if (fd >= 0 && ::faccessat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fd)).c_str(), F_OK,
                             AT_SYMLINK_NOFOLLOW) != 0) {
    ::close(fd);
    fd = -1;
  }
  return fd;
#else
  (void)directory;
  (void)mode;
  return -1;
#endif
}

// Gives the file of OpenUnnamed the name `path` (which must be free).
bool LinkUnnamed(int fd, const std::string& path) {
  return ::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fd)).c_str(), AT_FDCWD, path.c_str(),
                  AT_SYMLINK_FOLLOW) == 0;
}

long WriteSome(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}

int SyncFile(int fd) {
  // EINVAL: the file (a pipe, a terminal) has nothing to sync.
  return ::fsync(fd) != 0 && errno != EINVAL ? -1 : 0;
}

int CloseFile(int fd) {
  // After EINTR the descriptor is gone on Linux; the data has been synced.
  return ::close(fd) != 0 && errno != EINTR ? -1 : 0;
}

int RenameOver(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}

int SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int result = SyncFile(fd);
  const int error = errno;
  ::close(fd);
  errno = error;
  return result;
}

void RemoveFile(const std::string& path) {
  ::unlink(path.c_str());
}

#endif

}  // namespace

// For the name itself, what is there now does not count: the rename puts
// the new file in its place, whatever it is by then.
TFileReplacement::TFileReplacement(std::string path, std::filesystem::perms newFileMode,
                                   TTargetName targetName)
    : target_(std::move(path)) {
  const bool followed = targetName == TTargetName::kFollowLinks;
#ifdef _WIN32
  struct _stat64 info {};
  const bool exists = followed && _wstat64(WidePath(target_).c_str(), &info) == 0;
  if (exists && (info.st_mode & _S_IFDIR) != 0) Fail(TReplacementStep::kCreate, EISDIR);
  if (exists && (info.st_mode & _S_IFREG) == 0) {
    // A device such as NUL: written directly.
    if (_wsopen_s(&fd_, WidePath(target_).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                  0) != 0) {
      Fail(TReplacementStep::kCreate, errno);
    }
    return;
  }
  if (exists && (info.st_mode & _S_IWRITE) == 0) Fail(TReplacementStep::kCreate, EACCES);
#else
  if (followed) {
    if (const int descriptor = DescriptorNamedBy(target_); descriptor >= 0) {
      fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
      if (fd_ < 0) Fail(TReplacementStep::kCreate, errno);
      return;
    }
    target_ = FollowLinks(target_);
  }
  struct stat info {};
  const bool exists = followed && ::stat(target_.c_str(), &info) == 0;
  if (followed && !exists && errno != ENOENT) Fail(TReplacementStep::kCreate, errno);
  if (exists && S_ISDIR(info.st_mode)) Fail(TReplacementStep::kCreate, EISDIR);
  if (exists && !S_ISREG(info.st_mode)) {
    // A terminal, a pipe or a device cannot be replaced: it is written as it is.
    do {
      fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) Fail(TReplacementStep::kCreate, errno);
    return;
  }
  // A file the user may not write stays as it is, as with any other editor.
  if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
    Fail(TReplacementStep::kCreate, errno);
  }
  // Until it has the old file's owner and mode, only the owner may read it.
  if (exists) newFileMode = kPrivateNewFileMode;
#endif
  fd_ = OpenUnnamed(ParentDirectory(target_), newFileMode);
  unnamed_ = fd_ >= 0;
  if (!unnamed_) {
    const int error = TakeTemporaryName([this, newFileMode](const std::string& name) {
      fd_ = OpenNew(name, newFileMode);
      return fd_ >= 0;
    });
    if (error != 0) Fail(TReplacementStep::kCreate, error);
  }
#ifndef _WIN32
  if (exists) {
    // The owner first: changing it may clear set-id bits that the mode restores.
    if (::fchown(fd_, info.st_uid, info.st_gid) != 0 &&
        ::fchown(fd_, static_cast<uid_t>(-1), info.st_gid) != 0) {
      // Not ours to give away: the file becomes the user's own, as on any rewrite by copy.
    }
    if (::fchmod(fd_, info.st_mode & 07777) != 0) Fail(TReplacementStep::kCreate, errno);
  }
#endif
}

TFileReplacement::~TFileReplacement() {
  Discard();
}

void TFileReplacement::Write(const void* data, std::size_t size) {
  if (fd_ < 0) Fail(TReplacementStep::kWrite, EBADF);
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const long n = WriteSome(fd_, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    // No progress without an error: the device is full.
    if (n <= 0) Fail(TReplacementStep::kWrite, n < 0 ? errno : ENOSPC);
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

void TFileReplacement::Commit() {
  if (fd_ < 0) Fail(TReplacementStep::kWrite, EBADF);
  if (SyncFile(fd_) != 0) Fail(TReplacementStep::kWrite, errno);
  if (unnamed_) NameUnnamedFile();
  const int fd = fd_;
  fd_ = -1;
  if (CloseFile(fd) != 0) Fail(TReplacementStep::kWrite, errno);
  if (temporary_.empty()) return;  // written directly
  {
    const TEndingSignalsHeld held;
    if (RenameOver(temporary_, target_) != 0) Fail(TReplacementStep::kReplace, errno);
    temporary_.clear();
    removal_.reset();
  }
  if (SyncDirectory(ParentDirectory(target_)) != 0) {
    throw EFileReplacement(TReplacementStep::kReplace, target_, errno);
  }
}

int TFileReplacement::TakeTemporaryName(const std::function<bool(const std::string&)>& create) {
  int error = EEXIST;
  for (int tries = 0; error == EEXIST && tries < kTemporaryNameTries; ++tries) {
    std::string name = TemporaryNameBeside(target_);
    const TEndingSignalsHeld held;
    if (create(name)) {
      temporary_ = std::move(name);
      removal_.emplace(temporary_);
      return 0;
    }
    error = errno;
  }
  return error;
}

void TFileReplacement::NameUnnamedFile() {
  const int error =
      TakeTemporaryName([this](const std::string& name) { return LinkUnnamed(fd_, name); });
  if (error != 0) Fail(TReplacementStep::kReplace, error);
  unnamed_ = false;
}

void TFileReplacement::Fail(TReplacementStep step, int error) {
  Discard();
  throw EFileReplacement(step, target_, error);
}

void TFileReplacement::Discard() noexcept {
  if (fd_ >= 0) CloseFile(fd_);
  fd_ = -1;
  unnamed_ = false;
  if (temporary_.empty()) return;
  const TEndingSignalsHeld held;
  RemoveFile(temporary_);
  temporary_.clear();
  removal_.reset();
}

void ReplaceFileAtomically(const std::string& path, std::string_view content,
                           std::filesystem::perms newFileMode, TTargetName name) {
  TFileReplacement replacement(path, newFileMode, name);
  replacement.Write(content);
  replacement.Commit();
}

}  // namespace velunor
