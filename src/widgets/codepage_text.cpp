#include "widgets/codepage_text.h"

#include <QCoreApplication>
#include <QStringList>

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

QString DescribeCharacters(const std::u32string& characters) {
  // A message names a few; the rest are counted, so that the message box
  // stays small however many there are. One more is named rather than
  // counted as "1 weitere".
  constexpr std::size_t kNamedAtMost = 10;
  const std::size_t named =
      characters.size() <= kNamedAtMost + 1 ? characters.size() : kNamedAtMost;
  QStringList parts;
  for (const char32_t character : characters.substr(0, named)) {
    const QString code = QString::number(static_cast<uint>(character), 16).toUpper();
    parts << QCoreApplication::translate("velunor::CodePageText", "„%1“ (U+%2)")
                 .arg(QString::fromUcs4(&character, 1), code.rightJustified(4, QLatin1Char('0')));
  }
  QString description = parts.join(QStringLiteral(", "));
  if (named < characters.size()) {
    description += QCoreApplication::translate("velunor::CodePageText", " und %1 weitere")
                       .arg(characters.size() - named);
  }
  return description;
}

}  // namespace velunor
