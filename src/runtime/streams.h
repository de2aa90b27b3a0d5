#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"
#include "runtime/exceptions.h"

namespace velunor {

// Byte sequences with a size, a current position, a read operation that
// returns the number of bytes read and a write operation.
class TStream {
 public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  virtual ~TStream() = default;

  virtual std::int64_t Size() const = 0;
  virtual void SetSize(std::int64_t size) = 0;
  virtual std::int64_t Position() const = 0;
  virtual void SetPosition(std::int64_t position) = 0;
  // Reads up to count bytes at the position; returns how many were read.
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  // Writes count bytes at the position; raises EWriteError when not all were written.
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
};

// Failures of streams and files. The texts are the platform's own.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

// "Datei %s kann nicht geöffnet werden"
class EFOpenError : public EStreamError {
 public:
  EFOpenError(const std::string& path, int error);
  int Error() const { return error_; }

 private:
  int error_;
};

// "Datei %s kann nicht erstellt werden"
class EFCreateError : public EStreamError {
 public:
  EFCreateError(const std::string& path, int error);
  int Error() const { return error_; }

 private:
  int error_;
};

// "Stream-Write-Fehler"
class EWriteError : public EStreamError {
 public:
  EWriteError();
};

// "Stream-Read-Fehler"
class EReadError : public EStreamError {
 public:
  EReadError();
};

// A stream over a growable byte string.
class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(ByteString data) : data_(std::move(data)) {}

  std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t size) override;
  std::int64_t Position() const override { return position_; }
  void SetPosition(std::int64_t position) override;
  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;

  const ByteString& Data() const { return data_; }
  ByteString TakeData() { return std::move(data_); }

 private:
  ByteString data_;
  std::int64_t position_ = 0;
};

// A stream over a file of the file system.
class TFileStream final : public TStream {
 public:
  enum class Mode {
    kOpenRead,       // existing file, read only, shared with other readers and writers
    kOpenReadWrite,  // existing file, read and write
    kCreate,         // create the file or empty an existing one, read and write
  };

  TFileStream(const std::string& path, Mode mode);
  ~TFileStream() override;

  std::int64_t Size() const override;
  void SetSize(std::int64_t size) override;
  std::int64_t Position() const override { return position_; }
  void SetPosition(std::int64_t position) override { position_ = position < 0 ? 0 : position; }
  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;

  // Writes what the system holds for the file to the storage device.
  void Flush();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  std::int64_t position_ = 0;
};

// True for an existing regular file (not a directory, pipe or device).
bool FileExists(const std::string& path);

// Reads a file from its start in pieces of at most 64 KiB and hands each to
// `piece`, until the end or until `piece` returns false. Raises EFOpenError
// when the file cannot be opened and EReadError when reading fails.
void ReadFileInPieces(const std::string& path,
                      const std::function<bool(std::string_view piece)>& piece);

// The whole content of a file, read from its start to its end.
ByteString ReadWholeFile(const std::string& path);

}  // namespace velunor
