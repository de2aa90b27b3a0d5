#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/byte_string.h"

namespace velunor {

// Hands each line of `text` to `onLine(line, broken)`: CR LF, a lone CR and
// a lone LF each end a line (`broken` is true then). What follows the last
// break is a line only when it is not empty, so a text ending in a break
// has no empty last line. For texts of bytes and of UTF-16 alike.
template <typename Char, typename OnLine>
void ForEachLine(std::basic_string_view<Char> text, OnLine&& onLine) {
  constexpr Char kBreaks[] = {Char('\r'), Char('\n')};
  const std::basic_string_view<Char> breaks(kBreaks, 2);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(breaks, start);
    if (end == std::basic_string_view<Char>::npos) {
      onLine(text.substr(start), false);
      return;
    }
    onLine(text.substr(start, end - start), true);
    const bool crLf =
        text[end] == Char('\r') && end + 1 < text.size() && text[end + 1] == Char('\n');
    start = end + (crLf ? 2 : 1);
  }
}

// `text` with each line break, CR LF, a lone CR or a lone LF, written as
// `lineBreak`.
std::string WithLineBreaks(std::string_view text, std::string_view lineBreak);

// `text` with each line break written as CR LF, as text files and the text
// boxes keep them.
inline std::string WithCrLfBreaks(std::string_view text) {
  return WithLineBreaks(text, "\r\n");
}

// The lines of a text as a text box shows them (ForEachLine).
std::vector<ByteString> SplitParagraphs(std::string_view text);

// Every line followed by CR LF, the last one too: the plain text that is
// encrypted.
ByteString JoinLinesWithCrLf(const std::vector<ByteString>& lines);

}  // namespace velunor
