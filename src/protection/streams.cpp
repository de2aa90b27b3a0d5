#include "protection/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "protection/messages.h"

namespace velunor {

EFOpenError::EFOpenError(const std::string& path, int error)
    : EStreamError(FormatText("Datei %s kann nicht geöffnet werden", {path})), error_(error) {}

EFCreateError::EFCreateError(const std::string& path, int error)
    : EStreamError(FormatText("Datei %s kann nicht erstellt werden", {path})), error_(error) {}

EWriteError::EWriteError() : EStreamError("Stream-Write-Fehler") {}

EReadError::EReadError() : EStreamError("Stream-Read-Fehler") {}

// ---- TMemoryStream ---------------------------------------------------------

void TMemoryStream::SetSize(std::int64_t size) {
  data_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  position_ = std::min(position_, Size());
}

void TMemoryStream::SetPosition(std::int64_t position) {
  position_ = std::max<std::int64_t>(position, 0);
}

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0 || position_ >= Size()) return 0;
  const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, Size() - position_));
  std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  const auto end = static_cast<std::size_t>(position_) + static_cast<std::size_t>(count);
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

// ---- TFileStream -----------------------------------------------------------

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::kOpenRead:
      flags |= O_RDONLY;
      break;
    case Mode::kOpenReadWrite:
      flags |= O_RDWR;
      break;
    case Mode::kCreate:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
  }
  do {
    fd_ = ::open(path.c_str(), flags, 0666);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) {
    if (mode == Mode::kCreate) throw EFCreateError(path, errno);
    throw EFOpenError(path, errno);
  }
  struct stat info {};
  if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    if (mode == Mode::kCreate) throw EFCreateError(path, EISDIR);
    throw EFOpenError(path, EISDIR);
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return 0;
  return static_cast<std::int64_t>(info.st_size);
}

void TFileStream::SetSize(std::int64_t size) {
  if (::ftruncate(fd_, static_cast<off_t>(std::max<std::int64_t>(size, 0))) != 0)
    throw EWriteError();
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  ssize_t n;
  do {
    n = ::pread(fd_, buffer, static_cast<std::size_t>(count), static_cast<off_t>(position_));
    // Pipes have no positions: they are read as they come.
    if (n < 0 && errno == ESPIPE) n = ::read(fd_, buffer, static_cast<std::size_t>(count));
  } while (n < 0 && errno == EINTR);
  if (n < 0) throw EReadError();
  position_ += n;
  return static_cast<std::int32_t>(n);
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  std::int32_t written = 0;
  while (written < count) {
    const ssize_t n = ::pwrite(fd_, bytes + written, static_cast<std::size_t>(count - written),
                               static_cast<off_t>(position_));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EWriteError();
    written += static_cast<std::int32_t>(n);
    position_ += n;
  }
  return written;
}

void TFileStream::Flush() {
  if (::fsync(fd_) != 0 && errno != EINVAL) throw EWriteError();
}

bool FileExists(const std::string& path) {
  // Only regular files: reading a pipe or a device named here could block
  // the program for good.
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

ByteString ReadWholeFile(const std::string& path) {
  TFileStream file(path, TFileStream::Mode::kOpenRead);
  ByteString data;
  char buffer[65536];
  std::int32_t n;
  while ((n = file.Read(buffer, static_cast<std::int32_t>(sizeof buffer))) > 0) {
    data.append(buffer, static_cast<std::size_t>(n));
  }
  return data;
}

}  // namespace velunor
