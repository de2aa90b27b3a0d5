#include "cli/keyword.h"

#include <cstdlib>

#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/input.h"
#include "cli/keyword_command.h"
#include "cli/process_environment.h"
#include "cli/terminal_prompt.h"
#include "encrypter/keyword_rule.h"
#include "runtime/exceptions.h"

namespace velunor::cli {

namespace {

using encrypter::kMaxKeywordBytes;
using encrypter::kMinKeywordBytes;

// The most UTF-8 bytes a keyword can take: every code page 1252 character
// takes at most three, and a line break may follow.
constexpr std::size_t kMaxKeywordTextBytes = 3 * kMaxKeywordBytes + 2;

void RemoveTrailingLineBreak(TWipedBytes& text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
}

// A keyword file is read only as far as a keyword can reach, so that a huge
// file or an endless device is refused at once.
TWipedBytes ReadKeywordFile(const std::string& path, std::istream& in) {
  ByteString read = ReadInputPrefix(path, in, kMaxKeywordTextBytes + 1);
  TWipedBytes text = TakeWiped(read);
  if (text.size() > kMaxKeywordTextBytes) {
    throw Exception("the keyword file " + (IsStandardInput(path) ? "(standard input)" : path) +
                    " holds more than a keyword of at most " + std::to_string(kMaxKeywordBytes) +
                    " characters");
  }
  RemoveTrailingLineBreak(text);
  return text;
}

// The keyword of a text that is zeroed before it is checked.
TWipedBytes KeywordBytesOf(std::string& utf8) {
  const TWipedBytes text = TakeWiped(utf8);
  return KeywordBytes(TextOf(text));
}

// A keyword given with --keyword is an option value: one that breaks the
// keyword rule is bad usage, not bad input.
TWipedBytes CommandLineKeyword(std::string& utf8) {
  try {
    return KeywordBytesOf(utf8);
  } catch (const Exception& e) {
    throw UsageError("--keyword: " + e.Message());
  }
}

}  // namespace

TWipedBytes KeywordBytes(std::string_view utf8) {
  auto keyword = encrypter::KeywordFromUtf8(utf8);
  if (!keyword) throw Exception("the keyword is not valid UTF-8 text");
  if (!keyword->unrepresentable.empty()) {
    RefuseUnrepresentable("the keyword", keyword->unrepresentable);
  }
  if (!encrypter::KeywordLengthAllowed(keyword->bytes.size())) {
    throw Exception("the keyword must be " + std::to_string(kMinKeywordBytes) + " to " +
                    std::to_string(kMaxKeywordBytes) + " characters long, it has " +
                    std::to_string(keyword->bytes.size()));
  }
  return std::move(keyword->bytes);
}

TWipedBytes ObtainKeyword(KeywordSources& sources, std::istream& in) {
  if (!sources.keywordFile.empty()) {
    return KeywordBytes(TextOf(ReadKeywordFile(sources.keywordFile, in)));
  }
  if (sources.keywordGiven) return CommandLineKeyword(sources.keyword);
  if (!sources.keywordCommand.empty()) {
    std::string line = RunKeywordCommand("--keyword-command", sources.keywordCommand);
    return KeywordBytesOf(line);
  }
  if (auto fromEnvironment = EnvironmentVariable(kKeywordVariable))
    return KeywordBytesOf(*fromEnvironment);
  if (auto typed = PromptWithoutEcho(kKeywordPrompt, kMaxKeywordTextBytes))
    return KeywordBytesOf(*typed);
  if (const auto askPass = EnvironmentVariable(kAskPassVariable); askPass && !askPass->empty()) {
    std::string line = RunKeywordCommand(kAskPassVariable, *askPass + " \"$1\"", {kKeywordPrompt});
    return KeywordBytesOf(line);
  }
  throw UsageError(std::string("no keyword given: use --keyword, --keyword-file, "
                               "--keyword-command, ") +
                   kKeywordVariable + " or " + kAskPassVariable);
}

}  // namespace velunor::cli
