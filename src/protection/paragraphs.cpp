#include "protection/paragraphs.h"

namespace velunor {

std::vector<ByteString> SplitParagraphs(std::string_view text) {
  std::vector<ByteString> lines;
  ByteString line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
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
