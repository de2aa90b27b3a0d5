#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The file calls of the operating system that the file stream needs, with
// the same meaning on POSIX systems and on Windows. Paths are UTF-8 (on
// Windows they are opened by their UTF-16 names); files are opened in binary
// mode and not inherited by child processes. Failures return -1 (or false)
// with errno set.
namespace velunor::system_file {

enum class OpenMode { kRead, kReadWrite, kCreate };

int Open(const std::string& path, OpenMode mode);
// A new file without a name for scratch data, in the system's directory for
// temporary files, readable and writable by its owner only; the system
// removes it when it is closed or the process ends, however it ends.
int OpenTemporary();
int Close(int fd);

// Reads or writes at an offset without moving a shared file position; a pipe
// or terminal, which has no offsets, is read as it comes.
std::int64_t ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset);
std::int64_t WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset);

int Truncate(int fd, std::int64_t size);
// Writes what the system holds for the file to the storage device.
int Sync(int fd);
std::int64_t Size(int fd);
bool IsDirectory(int fd);

bool IsRegularFile(const std::string& path);
// Whether two existing paths name the same file (links, case-insensitive
// names and other spellings included).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace velunor::system_file
