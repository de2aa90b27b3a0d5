// The English texts of the Win32 windows come from the Qt window's
// translation source: the generated table holds every translation of it, read
// here independently with Qt's XML reader, and every window text of the Win32
// sources has its translation.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>

#include "win32/ui_text_table.h"

namespace {

// {German source text: English translation} of every finished translation
// (an empty one stands for the source text, as in Qt).
std::map<QString, QString> ReadTranslations(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
  std::map<QString, QString> translations;
  QXmlStreamReader xml(&file);
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("source")) {
      source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation") &&
               xml.attributes().value(QLatin1String("type")).isEmpty()) {
      const QString translation = xml.readElementText();
      if (!translation.isEmpty()) translations[source] = translation;
    }
  }
  if (xml.hasError()) qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
  return translations;
}

// Whether a string literal of the Win32 sources reads as a window text: it
// has a blank, a letter beyond ASCII or an "&" (a button's Alt key), or it is
// one capitalised word. API names ("GetDpiForWindow"), file names, marks
// such as "%1" and the stored values of a form description ("True") do not.
bool ReadsAsWindowText(const QString& text) {
  static const QRegularExpression word(QStringLiteral("^[A-Z][a-z]+$"));
  if (text == QLatin1String("True") || text == QLatin1String("False")) return false;
  const bool beyondAscii =
      std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7F; });
  return text.contains(QLatin1Char(' ')) || text.contains(QLatin1Char('&')) || beyondAscii ||
         word.match(text).hasMatch();
}

// The narrow string literals of the Win32 sources that read as window texts
// (the wide ones are the Win32 API's own), adjacent literals joined and
// escapes resolved: the texts given to UiText directly and through the
// windows' tables of controls.
QStringList WindowTextsOfTheWin32Sources() {
  static const QRegularExpression comment(QStringLiteral(R"(//[^\n]*|#include[^\n]*)"));
  static const QRegularExpression adjacent(QStringLiteral(R"re("\s*\n\s*")re"));
  static const QRegularExpression literal(QStringLiteral(R"re((?<![\w'])"((?:[^"\\\n]|\\.)*)")re"));
  QStringList texts;
  QDirIterator sources(QStringLiteral(VELUNOR_SOURCE_DIR "/win32"), {"*.cpp", "*.h"});
  while (sources.hasNext()) {
    QFile file(sources.next());
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file.fileName()));
    const QString code = QString::fromUtf8(file.readAll()).remove(comment).remove(adjacent);
    for (const auto& match : literal.globalMatch(code)) {
      QString text = match.captured(1);
      text.replace(QLatin1String("\\n"), QLatin1String("\n"))
          .replace(QLatin1String("\\\""), QLatin1String("\""))
          .replace(QLatin1String("\\\\"), QLatin1String("\\"));
      if (ReadsAsWindowText(text)) texts << text;
    }
  }
  return texts;
}

QString English(const QString& german) {
  const auto english = velunor::win32::EnglishUiText(german.toStdString());
  return english ? QString::fromUtf8(english->data(), static_cast<qsizetype>(english->size()))
                 : QStringLiteral("(none)");
}

}  // namespace

class Win32TextTableTest : public QObject {
  Q_OBJECT

 private slots:
  void tableHoldsEveryTranslationOfTheSource() {
    const auto translations = ReadTranslations(QStringLiteral(VELUNOR_TRANSLATION_SOURCE));
    QVERIFY(translations.size() > 50);
    for (const auto& [german, english] : translations)
      QCOMPARE(English(german), english);
    QCOMPARE(velunor::win32::UiTextTranslations().size(), translations.size());
  }

  void onlyWholeTextsAreFound_data() {
    QTest::addColumn<QString>("german");
    QTest::newRow("without its trailing blank") << QStringLiteral("Schlüsselwort:");
    QTest::newRow("other case") << QStringLiteral("verschlüsseln");
    QTest::newRow("before the first") << QString();
    QTest::newRow("after the last") << QStringLiteral("\U0010FFFF");
    QTest::newRow("the translation, not the source") << QStringLiteral("Encrypt");
  }
  void onlyWholeTextsAreFound() {
    QFETCH(QString, german);
    QCOMPARE(English(german), QStringLiteral("(none)"));
  }

  void everyTextOfTheWin32WindowsIsTranslated() {
    const QStringList texts = WindowTextsOfTheWin32Sources();
    for (const char* known : {"CMVelunor - Text ent-/verschlüsseln", "Information", "&OK"})
      QVERIFY2(texts.contains(QString::fromUtf8(known)), known);
    for (const QString& text : texts)
      QVERIFY2(English(text) != QStringLiteral("(none)"), qPrintable("untranslated: " + text));
  }
};

QTEST_GUILESS_MAIN(Win32TextTableTest)
#include "win32_text_table_test.moc"
