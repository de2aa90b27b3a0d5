#include "encrypter/keyword_rule.h"

#include "runtime/codepage1252.h"

namespace velunor::encrypter {

TKeywordBytes KeywordFromCharacters(std::u32string_view characters) {
  TKeywordBytes keyword;
  keyword.bytes.reserve(characters.size());
  for (const char32_t character : characters) {
    if (const auto byte = UnicodeToCp1252(character)) {
      keyword.bytes.push_back(*byte);
    } else if (keyword.unrepresentable.find(character) == std::u32string::npos) {
      keyword.unrepresentable += character;
    }
  }
  return keyword;
}

std::optional<TKeywordBytes> KeywordFromUtf8(std::string_view utf8) {
  TKeywordBytes keyword;
  auto bytes = Utf8ToCp1252(utf8, &keyword.unrepresentable);
  if (!bytes) return std::nullopt;
  keyword.bytes = TakeWiped(*bytes);
  return keyword;
}

}  // namespace velunor::encrypter
