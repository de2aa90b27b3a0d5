#include "support/write_faults.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velunor::test {

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velunor-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  // Other users (ActingAsNobody) may look in.
  ::chmod(path_.c_str(), 0755);
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &oldAction_);
  ::getrlimit(RLIMIT_FSIZE, &old_);
  rlimit limit = old_;
  limit.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &old_);
  ::sigaction(SIGXFSZ, &oldAction_, nullptr);
}

SmallFileSystem::SmallFileSystem() {
  if (::mount("tmpfs", Path().c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0) {
    mounted_ = true;
  } else {
    reason_ = std::string("cannot mount a small tmpfs here: ") + std::strerror(errno);
  }
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) ::umount2(Path().c_str(), MNT_DETACH);
}

void SmallFileSystem::Fill() const {
  const int fd = ::open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const std::string block(4096, 'f');
  while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
  }
  while (fd >= 0 && ::write(fd, block.data(), 1) > 0) {
  }
  if (fd >= 0) ::close(fd);
}

ActingAsNobody::ActingAsNobody() : oldUser_(::geteuid()), oldGroup_(::getegid()) {
  acting_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
}

ActingAsNobody::~ActingAsNobody() {
  if (::seteuid(oldUser_) != 0 || ::setegid(oldGroup_) != 0) std::abort();
}

std::vector<std::string> EntriesOf(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ContentOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "<unreadable>";
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void MakeFile(const std::string& path, const std::string& content, mode_t mode) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
  ::chmod(path.c_str(), mode);
}

int ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

}  // namespace velunor::test
