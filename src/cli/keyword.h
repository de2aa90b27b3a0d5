#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "runtime/wiped_bytes.h"

namespace velunor::cli {

// Where a keyword may come from, in order of precedence: the options (one
// at most), VELUNOR_KEYWORD, a prompt on the terminal, VELUNOR_ASKPASS.
struct KeywordSources {
  std::string keywordFile;  // its text, one trailing line break removed; "-": standard input
  std::string keyword;      // given on the command line
  bool keywordGiven = false;
  std::string keywordCommand;  // a helper that prints the keyword (keyword_command.h)
};

// Environment variable that holds a keyword when no option gives one.
inline constexpr const char* kKeywordVariable = "VELUNOR_KEYWORD";
// Environment variable naming a helper that asks for the keyword where no
// terminal is (as SSH_ASKPASS does for ssh): a command line, run through
// the shell with the prompt as its last argument.
inline constexpr const char* kAskPassVariable = "VELUNOR_ASKPASS";
inline constexpr const char* kKeywordPrompt = "Keyword: ";

// The keyword as code page 1252 bytes, from the sources, the environment,
// when a terminal is there a prompt that does not echo, else the helper of
// VELUNOR_ASKPASS. Raises UsageError when there is none or the one of
// --keyword is invalid, velunor::Exception when one read from elsewhere is
// invalid or unreadable or its helper fails. `in` is the standard input,
// for the keyword file "-". The keyword's text in the sources is zeroed
// once it is read.
TWipedBytes ObtainKeyword(KeywordSources& sources, std::istream& in);

// Checks and converts UTF-8 keyword text by the encrypter's keyword rule.
TWipedBytes KeywordBytes(std::string_view utf8);

}  // namespace velunor::cli
