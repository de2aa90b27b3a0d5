#include "widgets/codepage_text.h"

#include <QList>

#include "runtime/codepage1252.h"

namespace velunor {

QString TextFromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  // Code page 1252 lies wholly in the Basic Multilingual Plane.
  for (const char byte : bytes) {
    text += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte))));
  }
  return text;
}

ByteString TextToCp1252(const QString& text) {
  ByteString bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const char32_t character : text.toUcs4()) {
    bytes += static_cast<char>(UnicodeToCp1252(character).value_or('?'));
  }
  return bytes;
}

std::u32string CharactersOutsideCp1252(const QString& text) {
  std::u32string outside;
  for (const char32_t character : text.toUcs4()) {
    if (!UnicodeToCp1252(character) && outside.find(character) == std::u32string::npos) {
      outside += character;
    }
  }
  return outside;
}

}  // namespace velunor
