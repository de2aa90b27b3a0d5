// The English texts of the Win32 windows come from the Qt window's
// translation source: the generated table holds every translation of it, read
// here independently with Qt's XML reader, and every text that the Win32
// windows pass to UiText has its translation.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>
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

// The texts of the calls UiText("…") in the Win32 sources, their escapes
// resolved.
QStringList UiTextsOfTheWin32Sources() {
  static const QRegularExpression call(
      QStringLiteral(R"re(UiText\(\s*"((?:[^"\\]|\\.)*)"\s*\))re"));
  QStringList texts;
  QDirIterator sources(QStringLiteral(VELUNOR_SOURCE_DIR "/win32"), {"*.cpp", "*.h"});
  while (sources.hasNext()) {
    QFile file(sources.next());
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file.fileName()));
    const QString code = QString::fromUtf8(file.readAll());
    for (const auto& match : call.globalMatch(code)) {
      QString text = match.captured(1);
      text.replace(QLatin1String("\\n"), QLatin1String("\n"))
          .replace(QLatin1String("\\\""), QLatin1String("\""))
          .replace(QLatin1String("\\\\"), QLatin1String("\\"));
      texts << text;
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
    const QStringList texts = UiTextsOfTheWin32Sources();
    QVERIFY2(texts.contains(QStringLiteral("CMVelunor - Text ent-/verschlüsseln")),
             "the main window's caption is among the texts found");
    for (const QString& text : texts)
      QVERIFY2(English(text) != QStringLiteral("(none)"), qPrintable("untranslated: " + text));
  }
};

QTEST_GUILESS_MAIN(Win32TextTableTest)
#include "win32_text_table_test.moc"
