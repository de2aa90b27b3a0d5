// What the windows say, in their source language: the characters code
// page 1252 lacks, and a message as the error box shows it.
#include <gtest/gtest.h>

#include <string>

#include "encrypter/code_page_fault.h"
#include "encrypter/program.h"

namespace velunor::encrypter {
namespace {

TEST(CodePageFault, NamesAFewCharactersAndCountsTheRest) {
  std::u32string many;
  for (char32_t character = U'\u4E00'; character < U'\u4E00' + 400; ++character)
    many += character;
  const struct {
    std::u32string characters;
    std::string described;
  } cases[] = {
      {U"ł", "„ł“ (U+0142)"},
      {U"ł😀", "„ł“ (U+0142), „😀“ (U+1F600)"},
      {many.substr(0, 11),
       "„一“ (U+4E00), „丁“ (U+4E01), „丂“ (U+4E02), „七“ (U+4E03), „丄“ (U+4E04), "
       "„丅“ (U+4E05), „丆“ (U+4E06), „万“ (U+4E07), „丈“ (U+4E08), „三“ (U+4E09), "
       "„上“ (U+4E0A)"},
      {many.substr(0, 12),
       "„一“ (U+4E00), „丁“ (U+4E01), „丂“ (U+4E02), „七“ (U+4E03), „丄“ (U+4E04), "
       "„丅“ (U+4E05), „丆“ (U+4E06), „万“ (U+4E07), „丈“ (U+4E08), „三“ (U+4E09) "
       "und 2 weitere"},
      {many, DescribeCharacters(many.substr(0, 10)) + " und 390 weitere"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DescribeCharacters(c.characters), c.described);
  }
  // In another language's words.
  EXPECT_EQ(DescribeCharacters(U"abcdefghijkl", {"“%1” (%2)", " and %1 more"}),
            "“a” (0061), “b” (0062), “c” (0063), “d” (0064), “e” (0065), “f” (0066), "
            "“g” (0067), “h” (0068), “i” (0069), “j” (006A) and 2 more");
}

TEST(CodePageFault, SaysWhichTextHoldsWhichCharacters) {
  const struct {
    TCodePageField field;
    std::string message;
  } cases[] = {
      {TCodePageField::kKeyword, "Das Schlüsselwort"},
      {TCodePageField::kText, "Der Text"},
      {TCodePageField::kCheatSheet, "Der Spickzettel"},
  };
  for (const auto& c : cases) {
    try {
      CheckCodePage(c.field, U"ęę");
      ADD_FAILURE() << c.message << ": nothing raised";
    } catch (const ECodePageFault& fault) {
      EXPECT_EQ(fault.Message(), c.message +
                                     " enthält Zeichen, die der Zeichensatz Windows-1252 nicht "
                                     "darstellen kann: „ę“ (U+0119), „ę“ (U+0119). Bitte "
                                     "ersetzen oder entfernen Sie diese Zeichen.");
      EXPECT_EQ(fault.Field(), c.field);
    }
  }
  EXPECT_NO_THROW(CheckCodePage(TCodePageField::kText, U""));
}

TEST(ErrorBox, AppendsAFullStopOnlyAfterHigherCharacters) {
  const struct {
    std::string message, shown;
  } cases[] = {
      {"Stream-Write-Fehler", "Stream-Write-Fehler."},
      {"Input is not an valid MIME Base 64 Format.", "Input is not an valid MIME Base 64 Format."},
      {"Achtung!", "Achtung!"},
      {"Ende ", "Ende "},
      {"a-", "a-"},
      {"a/", "a/."},
      {"geöffnet werden ü", "geöffnet werden ü."},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
  }
}

}  // namespace
}  // namespace velunor::encrypter
