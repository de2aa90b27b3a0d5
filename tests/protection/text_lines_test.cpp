#include "runtime/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velunor {
namespace {

// CR LF, a lone CR and a lone LF each end one line; a text ending in a
// break has no empty last line, but empty lines between breaks stay.
TEST(TextLines, EachBreakEndsOneLine) {
  struct Case {
    std::string_view text;
    std::vector<std::string> lines;
    std::string withLf;
  };
  const Case cases[] = {
      {"", {}, ""},
      {"abc", {"abc"}, "abc"},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}, "a\nb\nc\nd"},
      {"a\n\rb\r\n", {"a", "", "b"}, "a\n\nb\n"},
      {"\r\r\n\n", {"", "", ""}, "\n\n\n"},
      {std::string_view("\0\r\0", 3),
       {std::string(1, '\0'), std::string(1, '\0')},
       std::string("\0\n\0", 3)},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    ForEachLine(c.text, [&](std::string_view line, bool) { lines.emplace_back(line); });
    EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.text);
    EXPECT_EQ(WithLineBreaks(c.text, "\n"), c.withLf) << testing::PrintToString(c.text);
  }
  EXPECT_EQ(WithCrLfBreaks("a\nb\r"), "a\r\nb\r\n");
  std::vector<std::u16string> wide;
  ForEachLine(std::u16string_view(u"ä\r\nö\rü"),
              [&](std::u16string_view line, bool) { wide.emplace_back(line); });
  EXPECT_EQ(wide, (std::vector<std::u16string>{u"ä", u"ö", u"ü"}));
}

}  // namespace
}  // namespace velunor
