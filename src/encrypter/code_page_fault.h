#pragma once

#include <string>
#include <string_view>

#include "runtime/exceptions.h"

namespace velunor::encrypter {

// A text that holds characters code page 1252 lacks is neither coded nor
// saved: the characters are named, never replaced (the original replaced
// them by "?", which would lose them).

// Where the characters are.
enum class TCodePageField { kKeyword, kText, kCheatSheet };

// The words of a list of characters: one character with its character (%1)
// and its code (%2, hexadecimal, at least four digits), and the count of the
// rest (%1).
struct TCharacterWords {
  std::string_view one = "„%1“ (U+%2)";
  std::string_view more = " und %1 weitere";
};

// The characters as a readable list: „ł“ (U+0142), „😀“ (U+1F600). A list of
// more than eleven names the first ten and counts the rest ("und N
// weitere"), so that a message box stays small however many there are; one
// more is named rather than counted as "1 weitere". UTF-8.
std::string DescribeCharacters(const std::u32string& characters, const TCharacterWords& words = {});

// "Das Schlüsselwort enthält Zeichen, die der Zeichensatz Windows-1252
// nicht darstellen kann: <list>. Bitte ersetzen oder entfernen Sie diese
// Zeichen." (likewise "Der Text", "Der Spickzettel"); a window words it in
// its language from the field and the characters.
class ECodePageFault : public Exception {
 public:
  ECodePageFault(TCodePageField field, std::u32string characters);
  TCodePageField Field() const { return field_; }
  const std::u32string& Characters() const { return characters_; }

 private:
  TCodePageField field_;
  std::u32string characters_;
};

// Raises ECodePageFault when `outside` names characters.
void CheckCodePage(TCodePageField field, const std::u32string& outside);

}  // namespace velunor::encrypter
