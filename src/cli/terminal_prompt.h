#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace velunor::cli {

// Reads one line of at most `limit` bytes from the terminal with echo
// switched off (none without a terminal). The terminal gets its settings
// back on every way out: the line's end, end of input, an error, and the
// signals that end the program (which then ends as the signal demands).
std::optional<std::string> PromptWithoutEcho(const char* prompt, std::size_t limit);

}  // namespace velunor::cli
