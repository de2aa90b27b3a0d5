#include "cli/terminal_prompt.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

namespace velunor::cli {

namespace {

// The signals that end a program waiting at a prompt.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// What the signal handler needs to give the terminal its settings back.
volatile std::sig_atomic_t promptTerminal = -1;
termios savedSettings{};

extern "C" void RestoreTerminalAndEnd(int signal) {
  if (promptTerminal >= 0) ::tcsetattr(promptTerminal, TCSANOW, &savedSettings);
  // With the default action again, the signal ends the program as it would have.
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  ::sigaction(signal, &byDefault, nullptr);
  ::raise(signal);
}

// Holds the terminal silent from construction to destruction, and catches
// the ending signals meanwhile (those the program does not ignore).
class SilentTerminal {
 public:
  explicit SilentTerminal(int terminal) {
    if (::tcgetattr(terminal, &savedSettings) != 0) return;
    struct sigaction restore {};
    restore.sa_handler = RestoreTerminalAndEnd;
    sigemptyset(&restore.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      ::sigaction(kEndingSignals[i], nullptr, &previous_[i]);
      if (previous_[i].sa_handler != SIG_IGN) ::sigaction(kEndingSignals[i], &restore, nullptr);
    }
    promptTerminal = terminal;
    termios silent = savedSettings;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    // A line, edited as on any prompt, that Enter ends: a full-screen
    // program that runs the tool (a mail program's filter) may have left
    // the terminal sending single keys and Enter as CR.
    silent.c_lflag |= ICANON;
    silent.c_iflag |= ICRNL;
    ::tcsetattr(terminal, TCSAFLUSH, &silent);
  }
  ~SilentTerminal() {
    if (promptTerminal < 0) return;
    ::tcsetattr(promptTerminal, TCSAFLUSH, &savedSettings);
    promptTerminal = -1;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
      ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
  }
  SilentTerminal(const SilentTerminal&) = delete;
  SilentTerminal& operator=(const SilentTerminal&) = delete;

  bool IsTerminal() const { return promptTerminal >= 0; }

 private:
  struct sigaction previous_[std::size(kEndingSignals)]{};
};

void WriteText(int terminal, const char* text) {
  [[maybe_unused]] const auto written = ::write(terminal, text, std::strlen(text));
}

// The bytes up to the line's end; those beyond `limit` are read but dropped.
std::string ReadLine(int terminal, std::size_t limit) {
  // Room for the whole line at once: a growing string would leave copies of
  // the keyword behind in freed memory.
  std::string line;
  line.reserve(limit + 1);
  char c;
  for (;;) {
    const ssize_t n = ::read(terminal, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1 || c == '\n') break;
    if (line.size() <= limit) line += c;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::optional<std::string> PromptWithoutEcho(const char* prompt, std::size_t limit) {
  const int terminal = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
  if (terminal < 0) return std::nullopt;
  std::optional<std::string> line;
  {
    const SilentTerminal silent(terminal);
    if (silent.IsTerminal()) {
      WriteText(terminal, prompt);
      line = ReadLine(terminal, limit);
    }
  }
  if (line) WriteText(terminal, "\n");
  ::close(terminal);
  return line;
}

}  // namespace velunor::cli
