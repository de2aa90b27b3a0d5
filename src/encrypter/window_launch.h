#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "encrypter/cipher_text_lines.h"

namespace velunor::encrypter {

// What the window program is started for, from its arguments (without the
// program's name and the toolkit's own options).
//
//   (none) | FILE [...]              the window; FILE is the mail client's hand-off file
//   --filter [--wrap N]              the text of standard input, the result to standard output
//   --edit FILE [--wrap N]           the text of FILE, replaced by the result
//   --ask-keyword [PROMPT]           asks for a keyword and prints it
//   --help                           says how to start it
//
// Filter and editor take the mail client's rules and break a cipher text
// at N columns (76 unless given; 0 keeps it on one line). Only an argument
// list that starts with one of these options is read as options: anything
// else keeps the original meaning, the hand-off file first.
enum class TWindowMode { kWindow, kFilter, kEdit, kAskKeyword, kHelp };

enum class TLaunchFault { kNone, kUnknownOption, kMissingFile, kBadWrap, kSurplusArgument };

struct TWindowLaunch {
  TWindowMode mode = TWindowMode::kWindow;
  std::string file;    // the hand-off file (kWindow) or the file to edit (kEdit)
  std::string prompt;  // kAskKeyword; empty: the dialog's own
  std::size_t wrapColumns = kMailWrapColumns;
  TLaunchFault fault = TLaunchFault::kNone;
  std::string faultArgument;  // the argument at fault
};

// Exit statuses of the starts other than the window's own.
inline constexpr int kExitCancelled = 1;     // "Abbrechen", Esc, closed; or the text unreadable
inline constexpr int kExitBadArguments = 2;  // the command line is at fault

TWindowLaunch ParseWindowArguments(const std::vector<std::string>& arguments);

}  // namespace velunor::encrypter
