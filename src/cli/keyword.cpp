#include "cli/keyword.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "cli/coding_options.h"
#include "cli/input.h"
#include "protection/exceptions.h"

namespace velunor::cli {

namespace {

std::string WithoutTrailingLineBreak(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text;
}

// Reads one line from the terminal with echo switched off; none without a terminal.
std::optional<std::string> PromptWithoutEcho(const char* prompt) {
  const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
  if (tty < 0) return std::nullopt;
  termios saved{};
  const bool isTerminal = ::tcgetattr(tty, &saved) == 0;
  if (isTerminal) {
    termios silent = saved;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(tty, TCSAFLUSH, &silent);
  }
  [[maybe_unused]] auto written = ::write(tty, prompt, std::char_traits<char>::length(prompt));
  std::string line;
  char c;
  while (::read(tty, &c, 1) == 1 && c != '\n')
    line += c;
  if (isTerminal) ::tcsetattr(tty, TCSAFLUSH, &saved);
  written = ::write(tty, "\n", 1);
  ::close(tty);
  if (!isTerminal) return std::nullopt;
  return WithoutTrailingLineBreak(line);
}

}  // namespace

ByteString KeywordBytes(const std::string& utf8) {
  const ByteString bytes = ToCodePage1252(utf8, "the keyword");
  if (bytes.size() < kMinKeywordBytes || bytes.size() > kMaxKeywordBytes) {
    throw Exception("the keyword must be " + std::to_string(kMinKeywordBytes) + " to " +
                    std::to_string(kMaxKeywordBytes) + " characters long, it has " +
                    std::to_string(bytes.size()));
  }
  return bytes;
}

ByteString ObtainKeyword(const KeywordSources& sources) {
  if (!sources.keywordFile.empty()) {
    std::istringstream none;
    return KeywordBytes(WithoutTrailingLineBreak(ReadInput(sources.keywordFile, none)));
  }
  if (sources.keywordGiven) return KeywordBytes(sources.keyword);
  if (const char* fromEnvironment = std::getenv(kKeywordVariable))
    return KeywordBytes(fromEnvironment);
  if (const auto typed = PromptWithoutEcho("Keyword: ")) return KeywordBytes(*typed);
  throw Exception(std::string("no keyword given: use --keyword, --keyword-file or ") +
                  kKeywordVariable);
}

}  // namespace velunor::cli
