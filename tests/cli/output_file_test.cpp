// The real program's -o: no partial file is left behind when it is ended
// by a signal, a failing command leaves the file as it was, and a name that
// is not a regular file (a descriptor, a FIFO, a device) is written into,
// not replaced.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cli/program.h"
#include "cli/run_tool.h"
#include "support/write_faults.h"

namespace velunor {
namespace {

using test::ContentOf;
using test::EntriesOf;

constexpr int kNoProc = 126;  // the exit status of a child that could not hide /proc

// Polls for up to ten seconds.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Without /proc a file without a name cannot be linked in, so the program
// falls back to a named temporary file. (A mount namespace of its own keeps
// the rest of the machine's /proc.)
bool HideProc() {
  return ::unshare(CLONE_NEWNS) == 0 &&
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount("none", "/proc", "tmpfs", 0, nullptr) == 0;
}

// `velunor convert --to copy -o FILE` reading from a pipe the test feeds.
class WritingProgram {
 public:
  WritingProgram(const std::string& output, bool withoutProc) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    const std::string program = test::ProgramPath();
    pid_ = ::fork();
    if (pid_ == 0) {
      for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ})
        ::signal(s, SIG_DFL);
      const rlimit noCore{0, 0};
      ::setrlimit(RLIMIT_CORE, &noCore);
      if (withoutProc && !HideProc()) ::_exit(kNoProc);
      ::dup2(ends[0], 0);
      ::execl(program.c_str(), program.c_str(), "convert", "--to", "copy", "-o", output.c_str(),
              nullptr);
      ::_exit(127);
    }
    ::close(ends[0]);
    input_ = ends[1];
  }
  ~WritingProgram() {
    if (input_ >= 0) ::close(input_);
    if (pid_ > 0) End(SIGKILL);
  }
  WritingProgram(const WritingProgram&) = delete;
  WritingProgram& operator=(const WritingProgram&) = delete;

  bool Feed(const std::string& bytes) {
    return ::write(input_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // The exit status, or 128 + the signal that ended it; 0 while it runs.
  int Status() {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) != pid_) return 0;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  int End(int signal) {
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  // The size of the file without a name that the program writes, or -1.
  long UnnamedFileSize(const std::string& directory) const {
    const std::string fds = "/proc/" + std::to_string(pid_) + "/fd";
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator(fds, error)) {
      const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
      if (target.rfind(directory + "/#", 0) != 0) continue;
      struct stat info {};
      if (::stat(fd.path().c_str(), &info) == 0) return info.st_size;
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
};

// The size of the hidden temporary file beside `out`, or -1.
long NamedTemporarySize(const std::string& directory) {
  for (const std::string& name : EntriesOf(directory)) {
    if (name.rfind(".out.", 0) != 0) continue;
    struct stat info {};
    if (::stat((directory + "/" + name).c_str(), &info) == 0) return info.st_size;
  }
  return -1;
}

TEST(OutputFile, AnEndingSignalLeavesNoPartialFile) {
  const int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ, SIGKILL};
  for (const bool withoutProc : {false, true}) {
    for (const int signal : signals) {
      // SIGKILL cannot be caught: only a file without a name is safe from it.
      if (withoutProc && signal == SIGKILL) continue;
      SCOPED_TRACE(std::string(withoutProc ? "named temporary file, " : "unnamed file, ") +
                   ::strsignal(signal));
      const test::TemporaryDirectory dir;
      test::MakeFile(dir.File("out"), "old", 0644);
      WritingProgram program(dir.File("out"), withoutProc);
      ASSERT_TRUE(program.Feed(std::string(100000, 'p')));
      // The partial result is on the disk, named or not.
      const auto written = [&] {
        return (withoutProc ? NamedTemporarySize(dir.Path())
                            : program.UnnamedFileSize(dir.Path())) > 0;
      };
      if (!WaitFor([&] { return written() || program.Status() == kNoProc; })) {
        FAIL() << "no partial result showed";
      }
      if (!written()) GTEST_SKIP() << "cannot hide /proc in a mount namespace here";
      if (!withoutProc) {
        EXPECT_EQ(EntriesOf(dir.Path()), std::vector<std::string>{"out"}) << "nothing named yet";
      }
      EXPECT_EQ(program.End(signal), 128 + signal);
      EXPECT_EQ(EntriesOf(dir.Path()), std::vector<std::string>{"out"});
      EXPECT_EQ(ContentOf(dir.File("out")), "old");
    }
  }
}

TEST(OutputFile, AFailingCommandLeavesTheFileAsItWas) {
  const test::ScratchDirectory dir("output-failure");
  const std::string out = dir.Write("out", "old content");
  const struct {
    std::vector<std::string> args;
    std::string input;
    int status;
  } cases[] = {
      {{"digest", dir.Write("a", "abc"), dir.PathOf("missing"), "-o", out}, "", 1},
      {{"decrypt", "--keyword", "abc", "-o", out}, "YWJj!ZA==\n", 1},
      {{"mac", "--keyword", "abc", "--chain", "cbcmac", "-o", out}, "abc", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    EXPECT_EQ(test::RunProgram(c.args, c.input).status, c.status);
    EXPECT_EQ(ContentOf(out), "old content");
    EXPECT_EQ(EntriesOf(dir.PathOf("")).size(), 2u) << "a and out";
  }
}

TEST(OutputFile, WhatIsNoRegularFileIsWrittenIntoWhereItIs) {
  const struct {
    const char* name;
    std::string script;  // run in a new directory, $V being the program
    const char* file;
    std::string content;
  } cases[] = {
      {"appending standard output",
       "echo first > log; printf x | $V convert --to hex -o /dev/stdout >> log", "log",
       "first\n78\n"},
      {"standard output shared",
       "(printf x | $V convert --to hex -o /dev/stdout; echo second) > log", "log", "78\nsecond\n"},
      {"standard error", "printf x | $V convert --to hex -o /dev/stderr 2>> log", "log", "78\n"},
      {"another descriptor",
       "echo first > log; printf x | $V convert --to hex -o /dev/fd/3 3>> log", "log",
       "first\n78\n"},
      {"a link to standard output",
       "echo first > log; ln -s /dev/stdout link; printf x | $V convert --to hex -o link >> log",
       "log", "first\n78\n"},
      {"a FIFO", "mkfifo fifo; cat fifo > log & printf x | $V convert --to hex -o fifo; wait",
       "log", "78\n"},
      {"/dev/null",
       "printf x | $V convert --to hex -o /dev/null && test -c /dev/null && echo ok > log", "log",
       "ok\n"},
      {"a hard link", "echo old > out; ln out other; printf x | $V convert --to hex -o out",
       "other", "old\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const test::TemporaryDirectory dir;
    const auto result = test::RunCommand({"sh", "-c", "cd \"$1\" && V=\"$2\" && " + c.script, "sh",
                                          dir.Path(), test::ProgramPath()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ContentOf(dir.File(c.file)), c.content);
  }
}

}  // namespace
}  // namespace velunor
