#include "runtime/box_text.h"

#include "runtime/codepage1252.h"
#include "runtime/text_lines.h"

namespace velunor {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Paragraph breaks besides CR and LF: the line and paragraph separators.
bool IsSeparator(char32_t character) {
  return character == 0x2028 || character == 0x2029;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit < 0xDC00;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit < 0xE000;
}

// Hands each character of the UTF-16 text to `onCharacter`.
template <typename OnCharacter>
void ForEachCharacter(std::u16string_view text, OnCharacter&& onCharacter) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      onCharacter(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      onCharacter(kReplacementCharacter);
    } else {
      onCharacter(char32_t(unit));
    }
  }
}

}  // namespace

ByteString BoxTextOfContent(std::u16string_view content) {
  ByteString text;
  text.reserve(content.size());
  ForEachCharacter(content, [&](char32_t character) {
    if (character == U'\n' || IsSeparator(character)) {
      text += '\n';
    } else {
      text += static_cast<char>(UnicodeToCp1252(character).value_or('?'));
    }
  });
  return WithCrLfBreaks(text);
}

std::u16string BoxContentOfText(std::string_view bytes, char16_t paragraphBreak) {
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  std::u16string content;
  content.reserve(text.size());
  ForEachLine(text, [&](std::string_view line, bool broken) {
    // Code page 1252 lies wholly in the Basic Multilingual Plane.
    for (const char byte : line) {
      content += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte)));
    }
    if (broken) content += paragraphBreak;
  });
  return content;
}

std::u32string CharactersOutsideCp1252(std::u16string_view content) {
  std::u32string outside;
  ForEachCharacter(content, [&](char32_t character) {
    if (!IsSeparator(character) && !UnicodeToCp1252(character) &&
        outside.find(character) == std::u32string::npos) {
      outside += character;
    }
  });
  return outside;
}

}  // namespace velunor
