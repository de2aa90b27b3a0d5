#include "encrypter/code_page_fault.h"

#include <cstdio>

#include "runtime/codepage1252.h"

namespace velunor::encrypter {

namespace {

// `words` with each "%<digit>" replaced by its value.
std::string Filled(std::string_view words, const std::string& first, const std::string& second) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == '%' && i + 1 < words.size() && (words[i + 1] == '1' || words[i + 1] == '2')) {
      text += words[++i] == '1' ? first : second;
    } else {
      text += words[i];
    }
  }
  return text;
}

std::string Subject(TCodePageField field) {
  switch (field) {
    case TCodePageField::kKeyword:
      return "Das Schlüsselwort";
    case TCodePageField::kText:
      return "Der Text";
    case TCodePageField::kCheatSheet:
      break;
  }
  return "Der Spickzettel";
}

}  // namespace

std::string DescribeCharacters(const std::u32string& characters, const TCharacterWords& words) {
  constexpr std::size_t kNamedAtMost = 10;
  const std::size_t named =
      characters.size() <= kNamedAtMost + 1 ? characters.size() : kNamedAtMost;
  std::string description;
  for (std::size_t i = 0; i < named; ++i) {
    char code[16];
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(characters[i]));
    if (i > 0) description += ", ";
    description += Filled(words.one, Utf8Of(characters[i]), code);
  }
  if (named < characters.size()) {
    description += Filled(words.more, std::to_string(characters.size() - named), {});
  }
  return description;
}

ECodePageFault::ECodePageFault(TCodePageField field, std::u32string characters)
    : Exception(Subject(field) +
                " enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: " +
                DescribeCharacters(characters) +
                ". Bitte ersetzen oder entfernen Sie diese Zeichen."),
      field_(field),
      characters_(std::move(characters)) {}

void CheckCodePage(TCodePageField field, const std::u32string& outside) {
  if (!outside.empty()) throw ECodePageFault(field, outside);
}

}  // namespace velunor::encrypter
