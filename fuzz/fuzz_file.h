#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

// An in-memory file whose content each run replaces, opened by path like a
// file on disk: the loaders under test read through the ordinary file stream.
class FuzzFile {
 public:
  FuzzFile() : fd_(::memfd_create("velunor-fuzz", 0)) {
    if (fd_ < 0) __builtin_trap();
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  FuzzFile(const FuzzFile&) = delete;
  FuzzFile& operator=(const FuzzFile&) = delete;

  const std::string& Hold(const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(fd_, 0) != 0) __builtin_trap();
    std::size_t written = 0;
    while (written < size) {
      const ssize_t n = ::pwrite(fd_, data + written, size - written, static_cast<off_t>(written));
      if (n <= 0) __builtin_trap();
      written += static_cast<std::size_t>(n);
    }
    return path_;
  }

 private:
  int fd_;
  std::string path_;
};
