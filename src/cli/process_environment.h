#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the command line tool takes from the operating system beyond standard
// C++, alike on every system: arguments and environment as UTF-8, standard
// streams that carry bytes unchanged, and the line break of text files.
namespace velunor::cli {

// The program's arguments in UTF-8. Windows hands a program its command line
// in UTF-16 (argv holds it in the ANSI code page, which loses characters), so
// there the arguments come from the UTF-16 command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input and output as bytes: on Windows they start in text mode,
// which would turn LF into CR LF and end input at byte 1A.
void UseBinaryStandardStreams();

// An environment variable's value in UTF-8; none when it is not set.
std::optional<std::string> EnvironmentVariable(const char* name);

// The line break of the system's text files, for text the tool prints.
#ifdef _WIN32
inline constexpr std::string_view kTextLineBreak = "\r\n";
#else
inline constexpr std::string_view kTextLineBreak = "\n";
#endif

}  // namespace velunor::cli
