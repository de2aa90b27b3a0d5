// The encrypter window, driven as a user drives it: keys, clicks, the
// clipboard. The command line tool serves as the oracle for cipher texts.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "app/application.h"
#include "app/form_velunor.h"
#include "cipher/cipher_registry.h"
#include "gui/gui_test_support.h"
#include "hash/hash_ripemd256.h"
#include "platform/window_system.h"
#include "protection/protection_errors.h"

using velunor::ByteString;
using velunor::TFormVelunor;
using velunor::TRichTextBox;
using velunor::test::CliEncryptBytes;
using velunor::test::CliEncryptText;
using velunor::test::ClipboardText;
using velunor::test::ModalBoxCatcher;
using velunor::test::Raw;
using velunor::test::SetClipboardText;

namespace {

// A shown, active window with nothing on it.
struct Window {
  velunor::platform::TNoWindowSystem windowSystem;
  TFormVelunor form{windowSystem};

  Window() {
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) QTest::qFail("window not active", __FILE__, __LINE__);
  }

  void Paste(const QString& text) {
    SetClipboardText(text);
    QTest::keyClick(form.EditPassword, Qt::Key_V, Qt::ControlModifier);
  }
  // Types the keyword character by character (QTest::keyClicks knows ASCII only).
  void TypeKeyword(const QString& keyword) {
    form.EditPassword->clear();
    for (const char32_t character : keyword.toUcs4()) {
      QTest::sendKeyEvent(QTest::Click, form.EditPassword, Qt::Key_unknown,
                          QString::fromUcs4(&character, 1), Qt::NoModifier);
    }
  }
  void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // Paste `text`, type `keyword`, press a coding button.
  void Code(const QString& text, const QString& keyword, QPushButton* button) {
    Paste(text);
    TypeKeyword(keyword);
    Click(button);
  }

  // Encrypt/decrypt enabled, OK enabled, boxes read-only, output.
  QString State() const {
    return QStringLiteral("coding %1, ok %2, read-only %3/%4, out \"%5\"")
        .arg(form.ButtonEncrypt->isEnabled() && form.ButtonDecrypt->isEnabled() ? "on" : "off")
        .arg(form.ButtonOK->isEnabled() ? "on" : "off")
        .arg(form.RichEditIn->ReadOnly() ? "yes" : "no")
        .arg(form.RichEditOut->ReadOnly() ? "yes" : "no")
        .arg(QString::fromLatin1(Raw(form.RichEditOut->Text())));
  }
};

}  // namespace

class FormVelunorTest : public QObject {
  Q_OBJECT

 private slots:
  void managersComeFromTheStoredDescription() {
    Window window;
    auto& hashManager = window.form.Components.HashManager1;
    auto& cipherManager = window.form.Components.CipherManager1;
    QCOMPARE(&hashManager.HashClass(), &velunor::THash_RipeMD256::Class());
    QCOMPARE(cipherManager.Mode(), velunor::cmCTS);
    QCOMPARE(cipherManager.HashManager(), &hashManager);
    // "Rijndael" is no registered cipher: the manager keeps its fallback.
    QVERIFY(cipherManager.CipherClass() == nullptr);
    QCOMPARE(&cipherManager.CurrentClass(), &velunor::FallbackCipherClass());
  }

  void windowHasAFixedSizeAndEveryTextFits() {
    Window window;
    // The client area below the caption bar; the window is larger by its frame.
    QWidget* client = window.form.ClientArea();
    QCOMPARE(client->size(), QSize(536, 331));
    QCOMPARE(window.form.minimumSize(), window.form.maximumSize());
    QVERIFY(window.form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Whatever font the system has, no label runs out of the client area,
    // and the first step's text ends before the paste button. With the
    // font the project installs, every label has the window's font.
    const QFontInfo windowFont(window.form.font());
    for (const QLabel* label : window.form.findChildren<QLabel*>()) {
      const QRect inClient(label->mapTo(client, QPoint(0, 0)), label->size());
      QVERIFY2(client->rect().contains(inClient), qPrintable(label->objectName()));
      QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
      const QFontInfo labelFont(label->font());
      QCOMPARE(labelFont.family(), windowFont.family());
      QVERIFY2(labelFont.pixelSize() == windowFont.pixelSize(), qPrintable(label->objectName()));
    }
    QVERIFY(window.form.Label5->geometry().right() < window.form.TBButtonPasteFromClipboard->x());
  }

  void tabOrderRunsTopBottomClient() {
    Window window;
    QStringList chain;
    QWidget* widget = window.form.EditPassword;
    do {
      if (widget->focusPolicy() & Qt::TabFocus) chain << widget->objectName();
      widget = widget->nextInFocusChain();
    } while (widget != window.form.EditPassword);
    QCOMPARE(chain, (QStringList{"EditPassword", "ButtonEncrypt", "ButtonDecrypt", "ButtonEsc",
                                 "ButtonOK", "RichEditIn", "RichEditOut"}));
  }

  void startsWithTheKeywordBoxFocusedAndNothingToDo() {
    Window window;
    QCOMPARE(QApplication::focusWidget(), window.form.EditPassword);
    QCOMPARE(window.State(), QString("coding off, ok off, read-only no/no, out \"\""));
    QVERIFY(window.form.ButtonEsc->isEnabled());
  }

  void buttonRuleNeedsThreeToSeventyBytesAndAnInput_data() {
    QTest::addColumn<int>("keywordLength");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("enabled");
    // The rule's other limits are tested in the encrypter's core.
    QTest::newRow("2 bytes") << 2 << "abc" << false;
    QTest::newRow("3 bytes") << 3 << "abc" << true;
    QTest::newRow("3 bytes, empty input") << 3 << "" << false;
  }
  void buttonRuleNeedsThreeToSeventyBytesAndAnInput() {
    QFETCH(int, keywordLength);
    QFETCH(QString, input);
    QFETCH(bool, enabled);
    Window window;
    window.Paste(input);
    window.TypeKeyword(QString(keywordLength, QLatin1Char('k')));
    QCOMPARE(window.form.ButtonEncrypt->isEnabled(), enabled);
    QCOMPARE(window.form.ButtonDecrypt->isEnabled(), enabled);
    QVERIFY(!window.form.ButtonOK->isEnabled());
  }

  void keywordBoxTakesNoSeventyFirstCharacter() {
    Window window;
    QTest::keyClicks(window.form.EditPassword, QString(71, QLatin1Char('k')));
    QCOMPARE(window.form.EditPassword->text().size(), 70);
  }

  void encryptionCodesEveryLineFollowedByCrLf_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<ByteString>("plain");
    QTest::newRow("one line") << "abc" << ByteString("abc\r\n");
    QTest::newRow("ending in a break") << "abc\n" << ByteString("abc\r\n");
    QTest::newRow("one character") << "a" << ByteString("a\r\n");
    QTest::newRow("empty line between") << "a\n\nb" << ByteString("a\r\n\r\nb\r\n");
    QTest::newRow("Windows breaks") << "a\r\nb\r\n" << ByteString("a\r\nb\r\n");
    QTest::newRow("umlauts and euro") << QString::fromUtf8("Grüße, 5 €")
                                      << ByteString(
                                             "Gr\xFC\xDF"
                                             "e, 5 \x80\r\n");
  }
  void encryptionCodesEveryLineFollowedByCrLf() {
    QFETCH(QString, input);
    QFETCH(ByteString, plain);
    Window window;
    window.Code(input, "geheim", window.form.ButtonEncrypt);
    QCOMPARE(Raw(window.form.PlainTextOfInput()), Raw(plain));
    QCOMPARE(Raw(window.form.RichEditOut->Text()), Raw(CliEncryptBytes("geheim", plain)));
  }

  void anEmptyInputEncryptsTheEmptyText() {
    Window window;
    window.TypeKeyword("geheim");
    QVERIFY(!window.form.ButtonEncrypt->isEnabled());
    QCOMPARE(Raw(window.form.PlainTextOfInput()), QByteArray());
    window.form.Session().ButtonEncryptClick();
    QCOMPARE(Raw(window.form.RichEditOut->Text()), QByteArray());
    QVERIFY(window.form.ButtonOK->isEnabled());
  }

  void cipherTextKeepsTheLengthOnOneLine() {
    Window window;
    window.Code("abc", "geheim", window.form.ButtonEncrypt);
    const ByteString cipherText = window.form.RichEditOut->Text();
    QCOMPARE(cipherText.size(), std::size_t{8});  // 5 bytes "abc" CR LF
    QCOMPARE(cipherText.back(), '=');

    Window wide;
    QStringList lines;
    for (int i = 0; i < 70; ++i)
      lines << QString(70, QChar(u'a' + i % 26));
    wide.Code(lines.join('\n'), "geheim", wide.form.ButtonEncrypt);
    const ByteString wideCipherText = wide.form.RichEditOut->Text();
    QCOMPARE(wideCipherText.size(), std::size_t{6720});  // 70 × 72 = 5040 bytes
    QCOMPARE(wide.form.RichEditOut->Lines().Count(), 1);
  }

  void theWindowEncryptsAsTheCommandLineToolDoes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("one line") << "abc"
                              << "geheim";
    QTest::newRow("line break at the end") << "abc\n"
                                           << "geheim";
    QTest::newRow("German text") << QString::fromUtf8("Grüße\r\nvom Bodensee\r\n")
                                 << QString::fromUtf8("Schlüssel");
    QTest::newRow("empty lines") << "\n\nx\n\n\ny"
                                 << "abc";
    QTest::newRow("lone CR") << QString::fromUtf8("€ 5,–\rzweite Zeile") << "Passwort";
    QTest::newRow("tabs and blanks") << " \tTab\there \n  " << QString(70, QLatin1Char('z'));
    QTest::newRow("wide line") << QString(1000, QLatin1Char('w')) << "123";
  }
  void theWindowEncryptsAsTheCommandLineToolDoes() {
    QFETCH(QString, text);
    QFETCH(QString, keyword);
    Window window;
    window.Code(text, keyword, window.form.ButtonEncrypt);
    QCOMPARE(Raw(window.form.RichEditOut->Text()),
             Raw(CliEncryptText(keyword.toStdString(), text.toStdString())));
  }

  void decryptionGivesTheTextBack() {
    Window encrypter;
    encrypter.Code(QString::fromUtf8("Grüße\nzweite Zeile"), "geheim",
                   encrypter.form.ButtonEncrypt);
    const ByteString cipherText = encrypter.form.RichEditOut->Text();

    Window decrypter;
    decrypter.Code(QString::fromLatin1(Raw(cipherText)), "geheim", decrypter.form.ButtonDecrypt);
    QCOMPARE(Raw(decrypter.form.RichEditOut->Text()), QByteArray("Gr\xFC\xDF"
                                                                 "e\r\nzweite Zeile\r\n"));
    QCOMPARE(decrypter.form.RichEditOut->toPlainText(), QString::fromUtf8("Grüße\nzweite Zeile\n"));
  }

  void decryptionTakesTheWholeTextUnchanged() {
    // A cipher text broken over lines: the breaks are skipped by the text
    // format, nothing is appended.
    const ByteString cipherText = CliEncryptBytes("geheim", "no break at the end");
    Window window;
    const QString broken =
        QString::fromLatin1(Raw(cipherText.substr(0, 10) + "\r\n" + cipherText.substr(10)));
    window.Code(broken, "geheim", window.form.ButtonDecrypt);
    QCOMPARE(Raw(window.form.RichEditOut->Text()), QByteArray("no break at the end"));
  }

  void afterCodingBothBoxesStayReadOnly() {
    Window window;
    window.Code("abc", "geheim", window.form.ButtonEncrypt);
    const QByteArray cipherText = Raw(window.form.RichEditOut->Text());
    QCOMPARE(window.State(),
             QString("coding off, ok on, read-only yes/yes, out \"%1\"").arg(QString(cipherText)));

    // A further paste leaves the input, empties the output, applies the rule, disables OK.
    window.Paste("new text");
    QCOMPARE(Raw(window.form.RichEditIn->Text()), QByteArray("abc"));
    QCOMPARE(window.State(), QString("coding on, ok off, read-only yes/yes, out \"\""));

    // Coding again, then changing the keyword: coding buttons back, OK stays.
    window.Click(window.form.ButtonEncrypt);
    window.TypeKeyword("anders");
    QCOMPARE(window.State(),
             QString("coding on, ok on, read-only yes/yes, out \"%1\"").arg(QString(cipherText)));
    window.TypeKeyword("ab");
    QCOMPARE(window.State(),
             QString("coding off, ok on, read-only yes/yes, out \"%1\"").arg(QString(cipherText)));
  }

  void ctrlVInTheKeywordBoxPastesIntoTheInputBox() {
    Window window;
    window.TypeKeyword("geheim");
    window.form.EditPassword->setFocus();
    SetClipboardText("from the clipboard");
    QTest::keyClick(window.form.EditPassword, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window.form.EditPassword->text(), QString("geheim"));
    QCOMPARE(Raw(window.form.RichEditIn->Text()), QByteArray("from the clipboard"));
    QCOMPARE(QApplication::focusWidget(), window.form.EditPassword);
  }

  void thePasteButtonPastes() {
    Window window;
    SetClipboardText("clicked in");
    QTest::mouseClick(window.form.TBButtonPasteFromClipboard, Qt::LeftButton);
    QCOMPARE(Raw(window.form.RichEditIn->Text()), QByteArray("clicked in"));
  }

  void f1TheCheatSheetButtonAndTheKeywordLabelRunTheCheatSheetAction() {
    Window window;
    QSignalSpy runs(window.form.actSpickzettel, &QAction::triggered);
    QTest::keyClick(window.form.EditPassword, Qt::Key_F1);
    QTest::mouseClick(window.form.TBSpicker, Qt::LeftButton);
    QTest::mouseDClick(window.form.Label1, Qt::LeftButton);
    QCOMPARE(runs.count(), 3);
  }

  void aRejectedCipherTextShowsTheErrorBoxAndChangesNothing() {
    Window window;
    window.Paste("abc!");
    window.TypeKeyword("geheim");
    const QString before = window.State();
    ModalBoxCatcher box;
    window.Click(window.form.ButtonDecrypt);
    QVERIFY(box.Caught());
    QCOMPARE(box.Title(), QString("CMVelunor"));
    QCOMPARE(box.Text(), QString("Input is not an valid MIME Base 64 Format."));
    QCOMPARE(box.Icon(), QMessageBox::Critical);
    QCOMPARE(box.ButtonCount(), 1);
    QCOMPARE(window.State(), before);
  }

  void charactersOutsideCodePage1252AreRefusedNotReplaced_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("named");
    QTest::newRow("in the text") << QString::fromUtf8("Złoty 😀 €") << "geheim"
                                 << QString::fromUtf8(
                                        "Der Text enthält Zeichen, die der Zeichensatz "
                                        "Windows-1252 nicht darstellen kann: „ł“ (U+0142), "
                                        "„😀“ (U+1F600).");
    QTest::newRow("in the keyword") << "abc" << QString::fromUtf8("gehęim")
                                    << QString::fromUtf8(
                                           "Das Schlüsselwort enthält Zeichen, die der "
                                           "Zeichensatz Windows-1252 nicht darstellen "
                                           "kann: „ę“ (U+0119).");
  }
  void charactersOutsideCodePage1252AreRefusedNotReplaced() {
    QFETCH(QString, input);
    QFETCH(QString, keyword);
    QFETCH(QString, named);
    Window window;
    window.Paste(input);
    window.TypeKeyword(keyword);
    const QString before = window.State();
    for (QPushButton* button : {window.form.ButtonEncrypt, window.form.ButtonDecrypt}) {
      ModalBoxCatcher box;
      window.Click(button);
      QVERIFY(box.Caught());
      QVERIFY2(box.Text().startsWith(named), qPrintable(box.Text()));
      QCOMPARE(window.State(), before);
    }
  }

  void manyCharactersOutsideTheCodePageAreCountedInABoxThatFits() {
    QString text;
    for (char16_t character = u'\u4E00'; character < u'\u4E00' + 400; ++character)
      text += QChar(character);
    Window window;
    window.Paste(text);
    window.TypeKeyword("geheim");
    ModalBoxCatcher box;
    window.Click(window.form.ButtonEncrypt);
    QVERIFY(box.Caught());
    QVERIFY(box.FitsTheScreen());
    QVERIFY2(box.Text().contains(QString::fromUtf8("„一“ (U+4E00), „丁“ (U+4E01), ")),
             qPrintable(box.Text()));
    QVERIFY2(box.Text().contains(QString::fromUtf8("„三“ (U+4E09) und 390 weitere. ")),
             qPrintable(box.Text()));
  }

  void okCopiesTheResultAndEndsTheProgram() {
    Window window;
    window.Code("abc", "geheim", window.form.ButtonEncrypt);
    QSignalSpy quit(&window.form, &TFormVelunor::QuitRequested);
    QTest::keyClick(window.form.EditPassword, Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(quit.count(), 1);  // a mnemonic presses its button a moment later
    QCOMPARE(ClipboardText().toLatin1(), Raw(window.form.RichEditOut->Text()));
    QVERIFY(!QApplication::clipboard()->mimeData()->hasFormat(velunor::kPasswordManagerHintFormat));
  }

  void okMarksADecryptedResultAsSensitive() {
    const ByteString cipherText = CliEncryptBytes("geheim", "the secret\r\n");
    Window window;
    window.Code(QString::fromLatin1(Raw(cipherText)), "geheim", window.form.ButtonDecrypt);
    window.Click(window.form.ButtonOK);
    const QMimeData* content = QApplication::clipboard()->mimeData();
    QCOMPARE(content->text(), QString("the secret\n"));
    QCOMPARE(content->data(velunor::kPasswordManagerHintFormat), QByteArray("secret"));
  }

  void escClosesWithoutTouchingTheClipboard_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Esc in the keyword box") << true;
    QTest::newRow("Abbrechen") << false;
  }
  void escClosesWithoutTouchingTheClipboard() {
    QFETCH(bool, byKey);
    Window window;
    window.Code("abc", "geheim", window.form.ButtonEncrypt);
    SetClipboardText("untouched");
    QSignalSpy closed(&window.form, &TFormVelunor::Closed);
    QSignalSpy quit(&window.form, &TFormVelunor::QuitRequested);
    if (byKey) {
      QTest::keyClick(window.form.EditPassword, Qt::Key_Escape);
    } else {
      window.Click(window.form.ButtonEsc);
    }
    QCOMPARE(closed.count(), 1);
    QCOMPARE(quit.count(), 0);
    QVERIFY(!window.form.isVisible());
    QCOMPARE(ClipboardText(), QString("untouched"));
  }

  void enterPressesNoButton() {
    Window window;
    window.Code("abc", "geheim", window.form.ButtonEncrypt);
    window.TypeKeyword("anders");
    const QString before = window.State();
    QSignalSpy quit(&window.form, &TFormVelunor::QuitRequested);
    QTest::keyClick(window.form.EditPassword, Qt::Key_Return);
    QCOMPARE(window.State(), before);
    QCOMPARE(quit.count(), 0);
  }

  void afterCodingTheFocusIsOnOkAndTheSameKeyPressesIt_data() {
    QTest::addColumn<bool>("encrypt");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("encrypt, Space") << true << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("encrypt, Return") << true << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("decrypt, keypad Enter")
        << false << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
  }
  void afterCodingTheFocusIsOnOkAndTheSameKeyPressesIt() {
    QFETCH(bool, encrypt);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Window window;
    window.Paste(encrypt ? QString("abc")
                         : QString::fromLatin1(Raw(CliEncryptBytes("geheim", "abc"))));
    window.TypeKeyword("geheim");
    QPushButton* coding = encrypt ? window.form.ButtonEncrypt : window.form.ButtonDecrypt;
    coding->setFocus();
    QSignalSpy quit(&window.form, &TFormVelunor::QuitRequested);
    QTest::keyClick(coding, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(window.form.ButtonOK->isEnabled());
    QCOMPARE(QApplication::focusWidget(), window.form.ButtonOK);
    QCOMPARE(quit.count(), 0);
    QTest::keyClick(window.form.ButtonOK, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(quit.count(), 1);
  }

  void altWithALetterNeverTypes_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::newRow("Alt+O while OK is disabled") << "EditPassword" << int(Qt::Key_O);
    QTest::newRow("Alt+X, no button") << "EditPassword" << int(Qt::Key_X);
    QTest::newRow("Alt+O in the input box") << "RichEditIn" << int(Qt::Key_O);
  }
  void altWithALetterNeverTypes() {
    QFETCH(QString, control);
    QFETCH(int, key);
    Window window;
    window.Paste("abc");
    window.TypeKeyword("Geheimnis");
    auto* target = window.form.findChild<QWidget*>(control);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(window.form.EditPassword->text(), QString("Geheimnis"));
    QCOMPARE(Raw(window.form.RichEditIn->Text()), QByteArray("abc"));
  }

  void theTextBoxesSendTheFocusBackToTheKeyword() {
    Window window;
    window.Paste("abc");
    for (TRichTextBox* box : {window.form.RichEditIn, window.form.RichEditOut}) {
      QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
      QCOMPARE(QApplication::focusWidget(), window.form.EditPassword);
      box->setFocus();
      QTest::keyClick(box, Qt::Key_Right);
      QCOMPARE(QApplication::focusWidget(), window.form.EditPassword);
    }
  }
};

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void aHandlerThatThrowsShowsTheErrorBox() {
    ModalBoxCatcher box;
    bool after = false;
    velunor::RunHandler(nullptr, [&] {
      throw velunor::EStringFormat("Datei x kann nicht geöffnet werden");
      after = true;
    });
    QVERIFY(!after);
    QVERIFY(box.Caught());
    QCOMPARE(box.Title(), QString("CMVelunor"));
    QCOMPARE(box.Text(), QString::fromUtf8("Datei x kann nicht geöffnet werden."));
    QCOMPARE(box.Icon(), QMessageBox::Critical);
  }

  void aSecondStartTellsRaisesTheFirstAndEnds() {
    struct RunningInstance : velunor::platform::TNoWindowSystem {
      std::string lookedFor;
      velunor::platform::TWindowHandle raised = 0;
      velunor::platform::TWindowHandle FindTopLevelWindow(
          std::string_view className, std::optional<std::string_view>) override {
        lookedFor = className;
        return 4711;
      }
      void RestoreOrRaise(velunor::platform::TWindowHandle window) override { raised = window; }
    } windowSystem;
    ModalBoxCatcher box;
    QVERIFY(velunor::CheckSingleInstance(windowSystem, "cmvelunor"));
    QCOMPARE(windowSystem.lookedFor, std::string("TFormVelunor"));
    QCOMPARE(windowSystem.raised, velunor::platform::TWindowHandle{4711});
    QVERIFY(box.Caught());
    QCOMPARE(box.Title(), QString("Information"));
    QCOMPARE(box.Text(), QString::fromUtf8("Das Programm cmvelunor läuft bereits."));
    QCOMPARE(box.Icon(), QMessageBox::Information);
    QCOMPARE(box.ButtonCount(), 1);
  }

  void aFirstStartGoesOn() {
    velunor::platform::TNoWindowSystem windowSystem;
    ModalBoxCatcher box;
    QVERIFY(!velunor::CheckSingleInstance(windowSystem, "cmvelunor"));
    QTest::qWait(50);
    QVERIFY(!box.Caught());
  }
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  FormVelunorTest form;
  ApplicationTest app;
  return QTest::qExec(&form, argc, argv) | QTest::qExec(&app, argc, argv);
}

#include "form_velunor_test.moc"
