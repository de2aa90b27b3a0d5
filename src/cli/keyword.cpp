#include "cli/keyword.h"

#include <cstdlib>

#include "cli/coding_options.h"
#include "cli/input.h"
#include "cli/process_environment.h"
#include "cli/terminal_prompt.h"
#include "runtime/exceptions.h"

namespace velunor::cli {

namespace {

// The most UTF-8 bytes a keyword can take: every code page 1252 character
// takes at most three, and a line break may follow.
constexpr std::size_t kMaxKeywordTextBytes = 3 * kMaxKeywordBytes + 2;

std::string WithoutTrailingLineBreak(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text;
}

// A keyword file is read only as far as a keyword can reach, so that a huge
// file or an endless device is refused at once.
std::string ReadKeywordFile(const std::string& path, std::istream& in) {
  const ByteString text = ReadInputPrefix(path, in, kMaxKeywordTextBytes + 1);
  if (text.size() > kMaxKeywordTextBytes) {
    throw Exception("the keyword file " + (IsStandardInput(path) ? "(standard input)" : path) +
                    " holds more than a keyword of at most " + std::to_string(kMaxKeywordBytes) +
                    " characters");
  }
  return WithoutTrailingLineBreak(text);
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

ByteString ObtainKeyword(const KeywordSources& sources, std::istream& in) {
  if (!sources.keywordFile.empty()) return KeywordBytes(ReadKeywordFile(sources.keywordFile, in));
  if (sources.keywordGiven) return KeywordBytes(sources.keyword);
  if (const auto fromEnvironment = EnvironmentVariable(kKeywordVariable))
    return KeywordBytes(*fromEnvironment);
  if (const auto typed = PromptWithoutEcho("Keyword: ", kMaxKeywordTextBytes))
    return KeywordBytes(*typed);
  throw Exception(std::string("no keyword given: use --keyword, --keyword-file or ") +
                  kKeywordVariable);
}

}  // namespace velunor::cli
