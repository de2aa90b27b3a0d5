#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <csignal>
#include <string>
#include <vector>

namespace velunor::test {

// Real failures of write(2), made by the kernel, for the tests of saving.

// A new directory under the system's temporary directory, removed with
// everything in it at the end.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + '/' + name; }

 private:
  std::string path_;
};

// While alive, this process may not make a file larger than `bytes`:
// write(2) beyond it fails with EFBIG (SIGXFSZ is ignored), as it fails
// with ENOSPC on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  struct sigaction oldAction_ {};
};

// A tmpfs of 64 KiB on a new temporary directory, where this process may
// mount one (root); Mounted() tells, Reason() says why not.
class SmallFileSystem {
 public:
  SmallFileSystem();
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Reason() const { return reason_; }
  const std::string& Path() const { return directory_.Path(); }
  std::string File(const std::string& name) const { return directory_.File(name); }
  // Takes all the room that is left with a file named "filler".
  void Fill() const;

 private:
  TemporaryDirectory directory_;
  bool mounted_ = false;
  std::string reason_;
};

// While alive, the process acts as user and group "nobody" (effective ids),
// so that file permissions hold for a test run by root too.
class ActingAsNobody {
 public:
  static constexpr uid_t kNobody = 65534;
  ActingAsNobody();
  ~ActingAsNobody();
  ActingAsNobody(const ActingAsNobody&) = delete;
  ActingAsNobody& operator=(const ActingAsNobody&) = delete;
  bool Acting() const { return acting_; }

 private:
  uid_t oldUser_;
  gid_t oldGroup_;
  bool acting_ = false;
};

// The names in a directory, sorted ("." and ".." left out).
std::vector<std::string> EntriesOf(const std::string& directory);

// The whole content of a file, or "<unreadable>".
std::string ContentOf(const std::string& path);
// Creates or replaces the file with the content and the mode (not umasked).
void MakeFile(const std::string& path, const std::string& content, mode_t mode);
// The permission bits of the file, or -1.
int ModeOf(const std::string& path);

}  // namespace velunor::test
