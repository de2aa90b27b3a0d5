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

}  // namespace velunor
