#pragma once

#include <iosfwd>
#include <string>

#include "runtime/byte_string.h"

namespace velunor::cli {

// Where a keyword may come from, in order of precedence.
struct KeywordSources {
  std::string keywordFile;  // its text, one trailing line break removed; "-": standard input
  std::string keyword;      // given on the command line
  bool keywordGiven = false;
};

// Environment variable that holds a keyword when no option gives one.
inline constexpr const char* kKeywordVariable = "VELUNOR_KEYWORD";

// Shortest and longest keyword, in code page 1252 bytes.
inline constexpr std::size_t kMinKeywordBytes = 3;
inline constexpr std::size_t kMaxKeywordBytes = 70;

// The keyword as code page 1252 bytes, from the sources, the environment or,
// when a terminal is there, a prompt that does not echo. Raises
// velunor::Exception when there is none or it is invalid. `in` is the
// standard input, for the keyword file "-".
ByteString ObtainKeyword(const KeywordSources& sources, std::istream& in);

// Checks and converts UTF-8 keyword text.
ByteString KeywordBytes(const std::string& utf8);

}  // namespace velunor::cli
