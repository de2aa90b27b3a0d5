// The real program under a pseudo-terminal: the keyword prompt has echo
// off while it waits and back on however it ends; progress shows by itself
// for large inputs.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/program.h"
#include "cli/run_tool.h"

namespace velunor {
namespace {

// Reads what the program writes to the terminal until `text` shows.
bool WaitForText(int terminal, const std::string& text) {
  std::string seen;
  while (seen.find(text) == std::string::npos) {
    pollfd ready{terminal, POLLIN, 0};
    if (::poll(&ready, 1, 5000) <= 0) return false;
    char buffer[256];
    const ssize_t n = ::read(terminal, buffer, sizeof buffer);
    if (n <= 0) return false;
    seen.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

// The exit status, or 128 + the signal; -1 when the program does not end.
int WaitForEnd(pid_t pid) {
  for (int i = 0; i < 500; ++i) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

bool Echoes(int terminal) {
  termios settings{};
  return ::tcgetattr(terminal, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
}

TEST(KeywordPrompt, TheTerminalGetsItsEchoBackOnEveryWayOut) {
  const struct {
    const char* name;
    const char* typed;  // or none: the signal is sent
    int signal;
    int status;
  } cases[] = {
      {"keyword", "Sommer\n", 0, 0},
      {"Ctrl+C", "\x03", 0, 128 + SIGINT},
      {"Ctrl+\\", "\x1c", 0, 128 + SIGQUIT},
      {"SIGTERM", nullptr, SIGTERM, 128 + SIGTERM},
      {"SIGHUP", nullptr, SIGHUP, 128 + SIGHUP},
      {"end of input", "\x04", 0, 1},
      {"too short", "ab\n", 0, 1},
  };
  const std::string program = test::ProgramPath();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (const int s : {SIGINT, SIGQUIT, SIGTERM, SIGHUP})
        ::signal(s, SIG_DFL);
      ::unsetenv("VELUNOR_KEYWORD");
      ::execl(program.c_str(), program.c_str(), "encrypt", "/dev/null", nullptr);
      ::_exit(127);
    }
    ASSERT_TRUE(WaitForText(terminal, "Keyword: "));
    EXPECT_FALSE(Echoes(terminal)) << "the keyword is typed unseen";
    if (c.typed != nullptr) {
      ASSERT_GT(::write(terminal, c.typed, std::char_traits<char>::length(c.typed)), 0);
    } else {
      ::kill(pid, c.signal);
    }
    EXPECT_EQ(WaitForEnd(pid), c.status);
    EXPECT_TRUE(Echoes(terminal));
    ::close(terminal);
  }
}

TEST(Terminal, ProgressShowsByItselfForLargeFiles) {
  const test::ScratchDirectory dir("terminal-progress");
  const std::string large = dir.Write("large", "");
  std::filesystem::resize_file(large, std::uintmax_t{64} << 20);
  const std::string small = dir.Write("small", std::string(1000, 'x'));
  const std::string program = test::ProgramPath();
  for (const bool isLarge : {true, false}) {
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const std::string& file = isLarge ? large : small;
      ::execl(program.c_str(), program.c_str(), "digest", "--hash", "CRC-32", file.c_str(),
              nullptr);
      ::_exit(127);
    }
    EXPECT_EQ(WaitForEnd(pid), 0);
    // Everything the program wrote to the terminal.
    std::string shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
      shown.append(buffer, static_cast<std::size_t>(n));
    ::close(terminal);
    EXPECT_EQ(shown.find("velunor: 64 MiB of 64 MiB (100 %)") != std::string::npos, isLarge)
        << shown;
    EXPECT_NE(shown.find("  " + (isLarge ? large : small)), std::string::npos) << shown;
  }
}

}  // namespace
}  // namespace velunor
