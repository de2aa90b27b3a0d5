#include "cli/program.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>
#include <utility>

namespace velunor::test {

namespace {

// A file in memory that holds `content`, positioned at its start.
int MemoryFile(const std::string& content) {
  const int fd = ::memfd_create("velunor-test", MFD_CLOEXEC);
  if (fd < 0 || ::write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size()))
    throw std::runtime_error("memfd");
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string ContentOf(int fd) {
  std::string content;
  char buffer[65536];
  ::lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
    content.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  return content;
}

// Descriptor 1 of the child; -1 leaves it closed.
int OutputDescriptor(StandardOutput output, int captured) {
  switch (output) {
    case StandardOutput::kCaptured:
      return captured;
    case StandardOutput::kDevFull:
      return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    case StandardOutput::kClosed:
      return -1;
    case StandardOutput::kBrokenPipe:
    case StandardOutput::kBrokenPipeDefaultSignal: {
      int ends[2];
      if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
      ::close(ends[0]);
      return ends[1];
    }
  }
  return -1;
}

}  // namespace

std::string ProgramPath() {
  return std::string(VELUNOR_BIN_DIR) + "/velunor";
}

namespace {

// Runs argStrings (the program found as execvp finds it) with `in` as its
// standard input.
ProgramResult RunArguments(std::vector<std::string> argStrings, int in, StandardOutput output) {
  const int out = MemoryFile("");
  const int err = MemoryFile("");
  const int stdoutFd = OutputDescriptor(output, out);
  std::vector<char*> argv;
  for (auto& arg : argStrings)
    argv.push_back(arg.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGPIPE, output == StandardOutput::kBrokenPipe ? SIG_IGN : SIG_DFL);
    ::dup2(in, 0);
    ::dup2(err, 2);
    if (stdoutFd >= 0) {
      ::dup2(stdoutFd, 1);
    } else {
      ::close(1);
    }
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  if (stdoutFd >= 0 && stdoutFd != out) ::close(stdoutFd);
  ::close(in);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return {code, ContentOf(out), ContentOf(err), usage.ru_maxrss};
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& args, const std::string& input,
                         StandardOutput output, const std::string& inputPath) {
  const int in = inputPath.empty() ? MemoryFile(input) : ::open(inputPath.c_str(), O_RDONLY);
  std::vector<std::string> argStrings{ProgramPath()};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  return RunArguments(std::move(argStrings), in, output);
}

ProgramResult RunCommand(const std::vector<std::string>& argv, const std::string& input) {
  return RunArguments(argv, MemoryFile(input), StandardOutput::kCaptured);
}

}  // namespace velunor::test
