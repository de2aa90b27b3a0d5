#pragma once

#include <string>
#include <string_view>

namespace velunor {

// Leading and trailing blanks and control characters removed.
std::string TrimBlanks(std::string_view text);

// Comparison without regard to letter case, for the ASCII letters and the
// letters of code page 1252.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace velunor
