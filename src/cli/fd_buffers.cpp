#include "cli/fd_buffers.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <io.h>
#endif

namespace velunor::cli {

namespace {

// read and write take an unsigned int count on Windows.
#ifdef _WIN32
using IoCount = unsigned;
#else
using IoCount = std::size_t;
#endif

IoCount ChunkOf(std::size_t count) {
  return static_cast<IoCount>(std::min<std::size_t>(count, std::size_t{1} << 30));
}

// Whether the descriptor is open.
bool IsOpen(int fd) {
#ifdef _WIN32
  return ::_get_osfhandle(fd) != -1;
#else
  return ::fcntl(fd, F_GETFD) >= 0 || errno != EBADF;
#endif
}

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

}  // namespace

FdInputBuffer::int_type FdInputBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error_ != 0) return traits_type::eof();
  ssize_t n;
  do {
    n = ::read(fd_, buffer_.data(), ChunkOf(buffer_.size()));
  } while (n < 0 && errno == EINTR);
  if (n < 0) error_ = errno;
  if (n <= 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
  return traits_type::to_int_type(*gptr());
}

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() {
  Drain();
}

bool FdOutputBuffer::WriteAll(const char* data, std::size_t count) {
  while (count > 0 && error_ == 0) {
    const ssize_t n = ::write(fd_, data, ChunkOf(count));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      break;
    }
    data += n;
    count -= static_cast<std::size_t>(n);
  }
  return error_ == 0;
}

bool FdOutputBuffer::Drain() {
  const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return written;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize FdOutputBuffer::xsputn(const char* data, std::streamsize count) {
  const auto free = epptr() - pptr();
  if (count <= free) {
    traits_type::copy(pptr(), data, static_cast<std::size_t>(count));
    pbump(static_cast<int>(count));
    return count;
  }
  // Large pieces go straight to the descriptor, behind what is buffered.
  if (!Drain() || !WriteAll(data, static_cast<std::size_t>(count))) return 0;
  return count;
}

int FdOutputBuffer::sync() {
  return Drain() ? 0 : -1;
}

void GuardStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (IsOpen(fd)) continue;
    // Opened the other way round, the placeholder fails every use with EBADF.
    const int placeholder = ::open(kNullDevice, fd == 0 ? O_WRONLY : O_RDONLY);
    if (placeholder >= 0 && placeholder != fd) {
      ::dup2(placeholder, fd);
      ::close(placeholder);
    }
  }
}

}  // namespace velunor::cli
