#pragma once

#include <string_view>
#include <vector>

#include "runtime/byte_string.h"

namespace velunor {

// The lines of a text as a text box shows them: CR LF, a lone CR and a lone
// LF each end a paragraph, and a text ending in a break has no empty last line.
std::vector<ByteString> SplitParagraphs(std::string_view text);

// Every line followed by CR LF, the last one too: the plain text that is
// encrypted.
ByteString JoinLinesWithCrLf(const std::vector<ByteString>& lines);

}  // namespace velunor
