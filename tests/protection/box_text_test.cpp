#include "runtime/box_text.h"

#include <gtest/gtest.h>

#include <string>

namespace velunor {
namespace {

// The whole text of a box's content: CR LF after each break of any kind,
// code page 1252 bytes, "?" for what the code page lacks.
TEST(BoxText, ContentReadsAsCrLfCodePageText) {
  struct Case {
    std::u16string content;
    ByteString text;
    std::u32string outside;
  };
  const Case cases[] = {
      {u"", "", U""},
      {u"abc", "abc", U""},
      {u"a\rb\nc\r\nd\u2029e\u2028f", "a\r\nb\r\nc\r\nd\r\ne\r\nf", U""},
      {u"a\r\rb\r", "a\r\n\r\nb\r\n", U""},
      {u"Grüße €‚",
       "Gr\xFC\xDF"
       "e \x80\x82",
       U""},
      {u"ł😀ł\xD800",
       "?"
       "??"
       "?",
       U"ł😀\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BoxTextOfContent(c.content), c.text);
    EXPECT_EQ(CharactersOutsideCp1252(c.content), c.outside);
  }
}

// Set as a box's text, bytes end at the first zero byte and each break
// becomes the box's own paragraph break, once.
TEST(BoxText, TextBecomesContentWithTheBoxsBreaks) {
  struct Case {
    std::string_view bytes;
    char16_t paragraphBreak;
    std::u16string content;
  };
  const Case cases[] = {
      {"a\r\nb\rc\nd", u'\r', u"a\rb\rc\rd"},
      {"a\r\n\r\nb\r\n", u'\n', u"a\n\nb\n"},
      {std::string_view("ab\0cd", 5), u'\r', u"ab"},
      {"\x80\x81\xFF", u'\r', u"€\u0081ÿ"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BoxContentOfText(c.bytes, c.paragraphBreak), c.content);
  // Every code page 1252 text with CR LF breaks comes back byte for byte.
  ByteString all;
  for (int byte = 1; byte < 256; ++byte) {
    if (byte != '\r' && byte != '\n') all += static_cast<char>(byte);
  }
  all += "\r\nx\r\n";
  EXPECT_EQ(BoxTextOfContent(BoxContentOfText(all, u'\r')), all);
}

}  // namespace
}  // namespace velunor
