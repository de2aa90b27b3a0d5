// The keyword rule: 3 to 70 code page 1252 bytes, other characters named
// and refused, and the rule of the coding buttons.
#include <gtest/gtest.h>

#include <string>

#include "encrypter/keyword_rule.h"
#include "runtime/codepage1252.h"

namespace velunor::encrypter {
namespace {

TEST(KeywordRule, CodingNeedsThreeToSeventyBytesAndAText) {
  const struct {
    std::size_t keywordCharacters;
    bool haveText;
    bool allowed;
  } cases[] = {
      {0, true, false},  {2, true, false},  {3, true, true},    {70, true, true},
      {71, true, false}, {3, false, false}, {70, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodingAllowed(c.keywordCharacters, c.haveText), c.allowed)
        << c.keywordCharacters << (c.haveText ? " with text" : " without text");
  }
}

TEST(KeywordRule, KeywordsAreCodePage1252BytesAndOtherCharactersAreNamedOnce) {
  const struct {
    std::u32string characters;
    std::string bytes;
    std::u32string unrepresentable;
  } cases[] = {
      {U"geheim", "geheim", U""},
      {U"Grüße",
       "Gr\xFC\xDF"
       "e",
       U""},
      {U"€uro", "\x80uro", U""},
      {U"Œuvre—", "\x8Cuvre\x97", U""},
      {U"gehęim", "gehim", U"ę"},
      {U"Złoty 😀 ł", "Zoty  ", U"ł😀"},
      {U"", "", U""},
  };
  for (const auto& c : cases) {
    std::string utf8;
    for (const char32_t character : c.characters)
      utf8 += Utf8Of(character);
    SCOPED_TRACE(utf8);
    const TKeywordBytes fromCharacters = KeywordFromCharacters(c.characters);
    EXPECT_EQ(std::string(TextOf(fromCharacters.bytes)), c.bytes);
    EXPECT_EQ(fromCharacters.unrepresentable, c.unrepresentable);
    const auto fromUtf8 = KeywordFromUtf8(utf8);
    ASSERT_TRUE(fromUtf8.has_value());
    EXPECT_EQ(fromUtf8->bytes, fromCharacters.bytes);
    EXPECT_EQ(fromUtf8->unrepresentable, c.unrepresentable);
  }
  EXPECT_FALSE(KeywordFromUtf8("geh\xFFim").has_value());
}

}  // namespace
}  // namespace velunor::encrypter
