#include "widgets/window_messages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <optional>

namespace velunor {

namespace {

constexpr const char* kContext = "velunor::WindowMessages";

// Whole texts of the stream, file and cheat-sheet failures, and the reasons
// that the file layer gives for a failed save.
constexpr const char* kFixedTexts[] = {
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Stream-Write-Fehler"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Stream-Read-Fehler"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Das Speichern des Streams ist mißlungen"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Text überschreitet Memo-Kapazität"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "kein Speicherplatz mehr auf dem Datenträger"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "das Speicherkontingent ist erschöpft"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "die Datei würde zu groß"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Zugriff verweigert"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "der Datenträger ist schreibgeschützt"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Datei oder Verzeichnis nicht gefunden"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "ein Teil des Pfades ist kein Verzeichnis"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "das ist ein Verzeichnis"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Ein-/Ausgabefehler des Datenträgers"),
};

// Texts that name a file in place of %1.
constexpr const char* kFileTexts[] = {
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Datei %1 kann nicht geöffnet werden"),
    QT_TRANSLATE_NOOP("velunor::WindowMessages", "Datei %1 kann nicht erstellt werden"),
};

// The file name in `text` when it is `fileText` with a name for %1.
std::optional<QString> NamedFile(const QString& text, const char* fileText) {
  QString pattern = QRegularExpression::escape(QString::fromUtf8(fileText));
  pattern.replace(QStringLiteral("\\%1"), QStringLiteral("(.*)"));
  const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = expression.match(text);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1);
}

}  // namespace

QString WindowMessage(const std::string& message) {
  const QString text = QString::fromStdString(message);
  for (const char* fixed : kFixedTexts) {
    if (text == QString::fromUtf8(fixed)) return QCoreApplication::translate(kContext, fixed);
  }
  for (const char* fileText : kFileTexts) {
    if (const auto file = NamedFile(text, fileText)) {
      return QCoreApplication::translate(kContext, fileText).arg(*file);
    }
  }
  return text;
}

}  // namespace velunor
