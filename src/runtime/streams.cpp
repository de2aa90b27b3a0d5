#include "runtime/streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/messages.h"
#include "runtime/system_file.h"

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
  switch (mode) {
    case Mode::kOpenRead:
      fd_ = system_file::Open(path, system_file::OpenMode::kRead);
      break;
    case Mode::kOpenReadWrite:
      fd_ = system_file::Open(path, system_file::OpenMode::kReadWrite);
      break;
    case Mode::kCreate:
      fd_ = system_file::Open(path, system_file::OpenMode::kCreate);
      break;
  }
  if (fd_ < 0) {
    if (mode == Mode::kCreate) throw EFCreateError(path, errno);
    throw EFOpenError(path, errno);
  }
  if (system_file::IsDirectory(fd_)) {
    system_file::Close(fd_);
    fd_ = -1;
    if (mode == Mode::kCreate) throw EFCreateError(path, EISDIR);
    throw EFOpenError(path, EISDIR);
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) system_file::Close(fd_);
}

std::int64_t TFileStream::Size() const {
  return system_file::Size(fd_);
}

void TFileStream::SetSize(std::int64_t size) {
  if (system_file::Truncate(fd_, std::max<std::int64_t>(size, 0)) != 0) throw EWriteError();
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  std::int64_t n;
  do {
    n = system_file::ReadAt(fd_, buffer, static_cast<std::size_t>(count), position_);
  } while (n < 0 && errno == EINTR);
  if (n < 0) throw EReadError();
  position_ += n;
  return static_cast<std::int32_t>(n);
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  std::int32_t written = 0;
  while (written < count) {
    const std::int64_t n = system_file::WriteAt(
        fd_, bytes + written, static_cast<std::size_t>(count - written), position_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EWriteError();
    written += static_cast<std::int32_t>(n);
    position_ += n;
  }
  return written;
}

void TFileStream::Flush() {
  if (system_file::Sync(fd_) != 0) throw EWriteError();
}

bool FileExists(const std::string& path) {
  // Only regular files: reading a pipe or a device named here could block
  // the program for good.
  return system_file::IsRegularFile(path);
}

void ReadFileInPieces(const std::string& path,
                      const std::function<bool(std::string_view piece)>& piece) {
  TFileStream file(path, TFileStream::Mode::kOpenRead);
  char buffer[65536];
  std::int32_t n;
  while ((n = file.Read(buffer, static_cast<std::int32_t>(sizeof buffer))) > 0) {
    if (!piece(std::string_view(buffer, static_cast<std::size_t>(n)))) return;
  }
}

ByteString ReadWholeFile(const std::string& path) {
  ByteString data;
  ReadFileInPieces(path, [&](std::string_view piece) {
    data += piece;
    return true;
  });
  return data;
}

}  // namespace velunor
