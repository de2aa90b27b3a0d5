// The windows in the desktop's language: English where the environment asks
// for it, German (the source texts) everywhere else; in both, every text fits
// its control and every button's Alt key is its own.
#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "app/form_velunor.h"
#include "app/window_language.h"
#include "cheatsheet/form_spicker.h"
#include "gui/gui_test_support.h"
#include "platform/window_system.h"
#include "widgets/window_messages.h"

using velunor::TFormSpicker;
using velunor::TFormVelunor;

namespace {

const char* const kLanguageVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

// Sets the desktop's language as a session would, and loads the texts for it.
void UseLanguage(const QString& lang) {
  for (const char* variable : kLanguageVariables)
    qunsetenv(variable);
  qputenv("LANG", lang.toUtf8());
  velunor::LoadWindowTranslation();
}

// Both windows, created in the current language.
struct Windows {
  QTemporaryDir programDirectory;
  velunor::platform::TNoWindowSystem windowSystem;
  std::unique_ptr<TFormVelunor> main;
  TFormSpicker* sheet = nullptr;

  Windows() {
    TFormSpicker::SetProgramFilePath(programDirectory.path() + "/cmvelunor");
    main = std::make_unique<TFormVelunor>(windowSystem);
    sheet = new TFormSpicker(main.get(),
                             [](QWidget*, const std::function<void()>& handler) { handler(); });
  }
  ~Windows() { delete sheet; }
};

QString WithoutMnemonic(QString text) {
  return text.remove(QLatin1Char('&'));
}

void AddLanguageRows() {
  QTest::addColumn<QString>("lang");
  QTest::addColumn<bool>("english");
  QTest::newRow("en_GB") << "en_GB.UTF-8" << true;
  QTest::newRow("de_DE") << "de_DE.UTF-8" << false;
  QTest::newRow("C") << "C" << false;
}

}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { UseLanguage("C"); }

  void languageFollowsTheEnvironmentAsGettextDoes_data() {
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("english");
    QTest::newRow("LANG en_GB") << QStringList{"LANG=en_GB.UTF-8"} << true;
    QTest::newRow("LANG en") << QStringList{"LANG=en"} << true;
    QTest::newRow("LANG de_DE") << QStringList{"LANG=de_DE.UTF-8"} << false;
    QTest::newRow("LANG eo") << QStringList{"LANG=eo"} << false;
    QTest::newRow("nothing set") << QStringList{} << false;
    QTest::newRow("C") << QStringList{"LANG=C"} << false;
    QTest::newRow("C.UTF-8") << QStringList{"LANG=C.UTF-8"} << false;
    QTest::newRow("POSIX") << QStringList{"LANG=POSIX"} << false;
    QTest::newRow("LC_ALL over LANG")
        << QStringList{"LC_ALL=de_DE.UTF-8", "LANG=en_US.UTF-8"} << false;
    QTest::newRow("LC_MESSAGES over LANG")
        << QStringList{"LC_MESSAGES=en_US.UTF-8", "LANG=de_DE.UTF-8"} << true;
    QTest::newRow("LANGUAGE first entry")
        << QStringList{"LANGUAGE=en:de", "LANG=de_DE.UTF-8"} << true;
    QTest::newRow("LANGUAGE German first")
        << QStringList{"LANGUAGE=de:en", "LANG=en_US.UTF-8"} << false;
    QTest::newRow("LANGUAGE ignored in C") << QStringList{"LANGUAGE=en", "LANG=C"} << false;
  }
  void languageFollowsTheEnvironmentAsGettextDoes() {
    QFETCH(QStringList, environment);
    QFETCH(bool, english);
    const auto read = [&environment](const char* name) {
      const QString prefix = QString::fromLatin1(name) + '=';
      for (const QString& entry : environment) {
        if (entry.startsWith(prefix)) return entry.mid(prefix.size()).toStdString();
      }
      return std::string();
    };
    QCOMPARE(velunor::WantsEnglishTexts(read), english);
  }

  void windowsSpeakTheDesktopsLanguage_data() { AddLanguageRows(); }
  void windowsSpeakTheDesktopsLanguage() {
    QFETCH(QString, lang);
    QFETCH(bool, english);
    UseLanguage(lang);
    Windows windows;
    const auto pick = [english](const char* en, const char* de) {
      return QString::fromUtf8(english ? en : de);
    };
    QCOMPARE(windows.main->windowTitle(),
             pick("CMVelunor - Encrypt/decrypt text", "CMVelunor - Text ent-/verschlüsseln"));
    QCOMPARE(windows.main->Label1->text(), pick("Keyword: ", "Schlüsselwort: "));
    QCOMPARE(windows.main->ButtonEncrypt->text(), pick("Encrypt", "Verschlüsseln"));
    QCOMPARE(windows.main->ButtonEsc->text(), pick("Cancel", "Abbrechen"));
    QCOMPARE(windows.main->actPaste->toolTip(),
             pick("Paste the text from the clipboard", "Text aus der Zwischenablage einfügen"));
    QCOMPARE(windows.sheet->windowTitle(),
             pick("Cheat sheet for keywords", "Spickzettel für Schlüsselwörter"));
    QCOMPARE(windows.sheet->ButtonEsc->text(), pick("&Close", "&Schließen"));
  }

  void messagesSpeakTheDesktopsLanguage_data() { AddLanguageRows(); }
  void messagesSpeakTheDesktopsLanguage() {
    QFETCH(QString, lang);
    QFETCH(bool, english);
    UseLanguage(lang);
    const auto pick = [english](const char* en, const char* de) {
      return QString::fromUtf8(english ? en : de);
    };
    QCOMPARE(
        velunor::WindowMessage("Datei /tmp/a b.msg kann nicht erstellt werden"),
        pick("Cannot create file /tmp/a b.msg", "Datei /tmp/a b.msg kann nicht erstellt werden"));
    QCOMPARE(velunor::WindowMessage("Stream-Write-Fehler"),
             pick("Stream write error", "Stream-Write-Fehler"));
    QCOMPARE(velunor::WindowMessage("kein Speicherplatz mehr auf dem Datenträger"),
             pick("no space left on the device", "kein Speicherplatz mehr auf dem Datenträger"));
    QCOMPARE(velunor::WindowMessage("Input is not an valid MIME Base 64 Format."),
             QString("Input is not an valid MIME Base 64 Format."));

    // A keyword check's message, as the window shows it.
    velunor::platform::TNoWindowSystem windowSystem;
    TFormVelunor form(windowSystem);
    form.show();
    velunor::test::SetClipboardText("abc");
    QTest::keyClick(form.EditPassword, Qt::Key_V, Qt::ControlModifier);
    form.EditPassword->setText(QString::fromUtf8("geheimΩ"));
    velunor::test::ModalBoxCatcher box;
    QTest::mouseClick(form.ButtonEncrypt, Qt::LeftButton);
    QVERIFY(box.Caught());
    QVERIFY2(box.Text().startsWith(pick("The keyword contains characters that the Windows-1252 "
                                        "character set cannot represent: “Ω” (U+03A9).",
                                        "Das Schlüsselwort enthält Zeichen, die der Zeichensatz "
                                        "Windows-1252 nicht darstellen kann: „Ω“ (U+03A9).")),
             qPrintable(box.Text()));
  }

  void everyButtonHasItsOwnAltKey_data() { AddLanguageRows(); }
  void everyButtonHasItsOwnAltKey() {
    QFETCH(QString, lang);
    UseLanguage(lang);
    Windows windows;
    for (QWidget* window :
         {static_cast<QWidget*>(windows.main.get()), static_cast<QWidget*>(windows.sheet)}) {
      std::map<QKeySequence, QString> owners;
      for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QKeySequence key = QKeySequence::mnemonic(button->text());
        if (key.isEmpty()) continue;
        const auto [owner, isNew] = owners.emplace(key, button->text());
        QVERIFY2(isNew, qPrintable(owner->second + " and " + button->text()));
      }
      QVERIFY(!owners.empty());
    }
  }

  // Measured with each control's own font at the fixed layout.
  void nothingIsClipped_data() { AddLanguageRows(); }
  void nothingIsClipped() {
    QFETCH(QString, lang);
    UseLanguage(lang);
    Windows windows;
    for (QWidget* window :
         {static_cast<QWidget*>(windows.main.get()), static_cast<QWidget*>(windows.sheet)}) {
      const int windowPixelSize = window->font().pixelSize();
      for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(textWidth <= label->contentsRect().width(), qPrintable(label->text()));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()),
                 qPrintable(label->text()));
        QVERIFY2(label->font().pixelSize() >= windowPixelSize, qPrintable(label->text()));
      }
      for (const QPushButton* button : window->findChildren<QPushButton*>()) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const int textWidth =
            button->fontMetrics().horizontalAdvance(WithoutMnemonic(button->text()));
        QVERIFY2(textWidth + 2 * margin <= button->width(), qPrintable(button->text()));
      }
    }
  }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
