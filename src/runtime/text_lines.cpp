#include "runtime/text_lines.h"

namespace velunor {

std::string WithLineBreaks(std::string_view text, std::string_view lineBreak) {
  std::string result;
  result.reserve(text.size());
  ForEachLine(text, [&](std::string_view line, bool broken) {
    result += line;
    if (broken) result += lineBreak;
  });
  return result;
}

std::vector<ByteString> SplitParagraphs(std::string_view text) {
  std::vector<ByteString> lines;
  ForEachLine(text, [&](std::string_view line, bool) { lines.emplace_back(line); });
  return lines;
}

ByteString JoinLinesWithCrLf(const std::vector<ByteString>& lines) {
  ByteString text;
  for (const ByteString& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace velunor
