#pragma once

#include <array>
#include <streambuf>

namespace velunor::cli {

// A stream buffer that reads a file descriptor and remembers the system's
// error of a failed read, so that the tool can say why its input broke off.
class FdInputBuffer final : public std::streambuf {
 public:
  explicit FdInputBuffer(int fd) : fd_(fd) {}
  // errno of the first failed read, 0 while none failed.
  int Error() const { return error_; }

 protected:
  int_type underflow() override;

 private:
  int fd_;
  int error_ = 0;
  std::array<char, 65536> buffer_{};
};

// A stream buffer that writes a file descriptor and remembers the system's
// error of a failed write; after a failure it refuses every further write.
class FdOutputBuffer final : public std::streambuf {
 public:
  explicit FdOutputBuffer(int fd);
  ~FdOutputBuffer() override;
  FdOutputBuffer(const FdOutputBuffer&) = delete;
  FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize count) override;
  int sync() override;

 private:
  bool WriteAll(const char* data, std::size_t count);
  bool Drain();

  int fd_;
  int error_ = 0;
  std::array<char, 65536> buffer_{};
};

// Gives the standard descriptors 0, 1 and 2 that are closed a placeholder
// that refuses their use (EBADF), so that no file opened later takes their
// number and receives output meant for them.
void GuardStandardDescriptors();

}  // namespace velunor::cli
