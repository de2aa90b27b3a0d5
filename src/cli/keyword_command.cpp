#include "cli/keyword_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/keyword.h"
#include "runtime/exceptions.h"
#include "runtime/support.h"

extern char** environ;

namespace velunor::cli {

namespace {

// More than any keyword's line, less than what a runaway helper could print.
constexpr std::size_t kKeywordLineLimit = 1024;
constexpr std::size_t kOutputLimit = 1 << 20;

// The environment without the keyword.
std::vector<char*> EnvironmentForHelper() {
  const std::string hidden = std::string(kKeywordVariable) + "=";
  std::vector<char*> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, hidden.c_str(), hidden.size()) != 0) environment.push_back(*entry);
  }
  environment.push_back(nullptr);
  return environment;
}

class SpawnActions {
 public:
  SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

pid_t StartHelper(const std::string& what, const std::string& command,
                  const std::vector<std::string>& arguments, int outputFd) {
  SpawnActions actions;
  ::posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(actions.get(), outputFd, 1);
  std::vector<std::string> words = {"sh", "-c", command, "sh"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<char*> environment = EnvironmentForHelper();
  pid_t pid = 0;
  const int error =
      ::posix_spawn(&pid, "/bin/sh", actions.get(), nullptr, argv.data(), environment.data());
  if (error != 0) throw Exception(what + ": cannot start /bin/sh: " + std::strerror(error));
  return pid;
}

// The first line of the helper's output; the rest is drained.
std::string ReadFirstLine(int fd) {
  std::string line;
  line.reserve(kKeywordLineLimit + 1);
  bool lineEnded = false;
  std::size_t total = 0;
  char buffer[512];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    for (ssize_t i = 0; i < n && !lineEnded; ++i) {
      if (buffer[i] == '\n') {
        lineEnded = true;
      } else if (line.size() <= kKeywordLineLimit) {
        line += buffer[i];
      }
    }
    total += static_cast<std::size_t>(n);
    if (total > kOutputLimit) break;
  }
  SecureFill(buffer, 0, sizeof buffer);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

std::string RunKeywordCommand(const std::string& what, const std::string& command,
                              const std::vector<std::string>& arguments) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throw Exception(what + ": " + std::strerror(errno));
  pid_t pid;
  try {
    pid = StartHelper(what, command, arguments, fds[1]);
  } catch (...) {
    ::close(fds[0]);
    ::close(fds[1]);
    throw;
  }
  ::close(fds[1]);
  std::string line = ReadFirstLine(fds[0]);
  ::close(fds[0]);
  const int status = WaitFor(pid);
  const auto refuse = [&line](const std::string& message) {
    SecureFill(line.data(), 0, line.size());
    throw Exception(message);
  };
  if (WIFSIGNALED(status))
    refuse(what + ": the command was ended by signal " + std::to_string(WTERMSIG(status)));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    refuse(what + ": the command failed with exit status " + std::to_string(WEXITSTATUS(status)));
  if (line.empty()) refuse(what + ": the command gave no keyword");
  return line;
}

}  // namespace velunor::cli
