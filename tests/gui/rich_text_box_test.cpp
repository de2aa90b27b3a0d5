// The text box: its line list, whole text, code page, read-only rule,
// files and clipboard.
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <fstream>

#include "gui/gui_test_support.h"
#include "runtime/exceptions.h"
#include "widgets/rich_text_box.h"

using velunor::ByteString;
using velunor::TClipboardMark;
using velunor::TRichTextBox;
using velunor::test::Raw;

Q_DECLARE_METATYPE(ByteString)

namespace {

QStringList LinesOf(const TRichTextBox& box) {
  QStringList lines;
  for (const ByteString& line : box.Lines().ToVector())
    lines << QString::fromLatin1(Raw(line));
  return lines;
}

void WriteFile(const QString& path, const ByteString& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// The message of the velunor::Exception `action` raises, empty when none.
template <typename Action>
QString MessageOf(Action action) {
  try {
    action();
  } catch (const velunor::Exception& error) {
    return QString::fromStdString(error.Message());
  }
  return {};
}

}  // namespace

class RichTextBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void linesAreParagraphsWithoutEmptyLastLine_data() {
    QTest::addColumn<ByteString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << ByteString() << QStringList();
    QTest::newRow("one line") << ByteString("abc") << QStringList{"abc"};
    QTest::newRow("CR LF at the end") << ByteString("abc\r\n") << QStringList{"abc"};
    QTest::newRow("LF at the end") << ByteString("abc\n") << QStringList{"abc"};
    QTest::newRow("empty line between") << ByteString("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("lone CRs and LF") << ByteString("a\r\rb\n") << QStringList{"a", "", "b"};
    QTest::newRow("LF then CR is two") << ByteString("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("only a break") << ByteString("\r\n") << QStringList{""};
    QTest::newRow("two breaks") << ByteString("\r\n\n") << QStringList{"", ""};
    QTest::newRow("blanks kept") << ByteString(" a \t\r\n ") << QStringList{" a \t", " "};
  }
  void linesAreParagraphsWithoutEmptyLastLine() {
    QFETCH(ByteString, text);
    QFETCH(QStringList, lines);
    TRichTextBox box;
    box.SetText(text);
    QCOMPARE(LinesOf(box), lines);
    QCOMPARE(box.Lines().Count(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
      QCOMPARE(QString::fromLatin1(Raw(box.Lines()[i])), lines[i]);
  }

  void wholeTextEndsEveryParagraphWithCrLf_data() {
    QTest::addColumn<ByteString>("text");
    QTest::addColumn<ByteString>("whole");
    QTest::newRow("CR LF kept") << ByteString("a\r\nb\r\n") << ByteString("a\r\nb\r\n");
    QTest::newRow("lone CR") << ByteString("a\rb") << ByteString("a\r\nb");
    QTest::newRow("lone LF") << ByteString("a\nb\n") << ByteString("a\r\nb\r\n");
    QTest::newRow("no break") << ByteString("abc") << ByteString("abc");
    QTest::newRow("empty") << ByteString() << ByteString();
  }
  void wholeTextEndsEveryParagraphWithCrLf() {
    QFETCH(ByteString, text);
    QFETCH(ByteString, whole);
    TRichTextBox box;
    box.SetText(text);
    QCOMPARE(Raw(box.Text()), Raw(whole));
  }

  void typedBreaksEndParagraphs() {
    TRichTextBox box;
    QTest::keyClicks(&box, "ab");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "c");
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);  // a line break inside the paragraph
    QTest::keyClicks(&box, "d");
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(LinesOf(box), (QStringList{"ab", "c", "d"}));
    QCOMPARE(Raw(box.Text()), QByteArray("ab\r\nc\r\nd\r\n"));
  }

  void settingStopsAtTheFirstZeroByte() {
    TRichTextBox box;
    box.SetText(ByteString("ab\0cd", 5));
    QCOMPARE(Raw(box.Text()), QByteArray("ab"));
  }

  void settingTheTextItHoldsChangesNothing() {
    TRichTextBox box;
    box.SetText("abc\r\ndef");
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    QSignalSpy changes(&box, &QPlainTextEdit::textChanged);
    box.SetText("abc\ndef");  // the same paragraphs
    QCOMPARE(changes.count(), 0);
    QCOMPARE(box.textCursor().selectionStart(), 1);
    QCOMPARE(box.textCursor().selectionEnd(), 3);
    box.SetText("abc");
    QCOMPARE(changes.count(), 1);
  }

  void everyCodePageByteComesBack() {
    ByteString bytes;
    for (int value = 1; value < 256; ++value) {
      if (value != '\r' && value != '\n') bytes += static_cast<char>(value);
    }
    TRichTextBox box;
    box.SetText(bytes);
    QCOMPARE(Raw(box.Text()), Raw(bytes));
    // The printable characters at 80..9F are the code page's, not control characters.
    const QString shown = box.toPlainText();
    QVERIFY(shown.contains(QChar(0x20AC)));  // 80: euro sign
    QVERIFY(shown.contains(QChar(0x2026)));  // 85: horizontal ellipsis
    QVERIFY(shown.contains(QChar(0x0178)));  // 9F: Y with diaeresis
    QVERIFY(box.CharactersOutsideCodePage().empty());
  }

  void charactersOutsideTheCodePageAreReportedAndReadAsQuestionMarks() {
    TRichTextBox box;
    box.setPlainText(QString::fromUtf8("Zł€ł😀ü"));
    QCOMPARE(box.CharactersOutsideCodePage(), std::u32string(U"ł😀"));
    QCOMPARE(Raw(box.Text()), QByteArray("Z?\x80??\xFC"));
  }

  void readOnlyBoxIgnoresTheUserButNotTheProgram() {
    QTemporaryDir folder;
    const QString file = folder.filePath("in.txt");
    WriteFile(file, "loaded");
    TRichTextBox box;
    box.SetText("old");
    box.SetReadOnly(true);
    velunor::test::SetClipboardText("pasted");
    box.SelectWholeText();
    box.PasteClipboardText();
    QTest::keyClicks(&box, "typed");
    QCOMPARE(Raw(box.Text()), QByteArray("old"));
    box.SetText("set");
    QCOMPARE(Raw(box.Text()), QByteArray("set"));
    box.Lines().LoadTextFile(file.toStdString());
    QCOMPARE(Raw(box.Text()), QByteArray("loaded"));
    box.ClearText();
    QCOMPARE(Raw(box.Text()), QByteArray());
    QVERIFY(box.ReadOnly());
  }

  void pasteReplacesTheSelection() {
    TRichTextBox box;
    box.SetText("old text");
    velunor::test::SetClipboardText(QString::fromUtf8("neu\r\nzwei\rdrei\nvier ä"));
    box.SelectWholeText();
    box.PasteClipboardText();
    QCOMPARE(Raw(box.Text()), QByteArray("neu\r\nzwei\r\ndrei\r\nvier \xE4"));
  }

  void pasteShowsTheStartOfTheText() {
    TRichTextBox box;
    box.resize(340, 60);
    box.show();
    QStringList lines;
    for (int i = 0; i < 20; ++i)
      lines << QStringLiteral("line %1").arg(i);
    lines << QString(500, QLatin1Char('w'));
    velunor::test::SetClipboardText(lines.join('\n'));
    box.SelectWholeText();
    box.PasteClipboardText();
    QCOMPARE(box.Lines().Count(), 21);
    QCOMPARE(box.verticalScrollBar()->value(), 0);
    QCOMPARE(box.horizontalScrollBar()->value(), 0);
  }

  void loadTakesCrLfCrAndLfAsOneBreakEach() {
    QTemporaryDir folder;
    const QString file = folder.filePath("mixed.txt");
    WriteFile(file, "a\r\nb\rc\nd\r\n\xE4\x80");
    TRichTextBox box;
    box.Lines().LoadTextFile(file.toStdString());
    QCOMPARE(LinesOf(box), (QStringList{"a", "b", "c", "d", QString::fromLatin1("\xE4\x80")}));
    QCOMPARE(Raw(box.Text()), QByteArray("a\r\nb\r\nc\r\nd\r\n\xE4\x80"));
  }

  void loadOfAMissingFileRaisesAndKeepsTheContent() {
    TRichTextBox box;
    box.SetText("kept");
    const QString message = MessageOf([&] { box.Lines().LoadTextFile("/no/such/file.txt"); });
    QCOMPARE(message, QString::fromUtf8("Datei /no/such/file.txt kann nicht geöffnet werden"));
    QCOMPARE(Raw(box.Text()), QByteArray("kept"));
  }

  void copyPutsTheSelectionOnTheClipboard() {
    TRichTextBox box;
    box.SetText("first\r\nsecond");
    box.SelectWholeText();
    box.CopySelectedText();
    QCOMPARE(velunor::test::ClipboardText(), QString("first\nsecond"));
    QVERIFY(!QApplication::clipboard()->mimeData()->hasFormat(velunor::kPasswordManagerHintFormat));
  }

  void sensitiveCopyCarriesThePasswordManagerHint() {
    TRichTextBox box;
    box.SetText("secret text");
    box.SelectWholeText();
    box.CopySelectedText(TClipboardMark::kSensitive);
    const QMimeData* content = QApplication::clipboard()->mimeData();
    QCOMPARE(content->text(), QString("secret text"));
    QCOMPARE(content->data(velunor::kPasswordManagerHintFormat), QByteArray("secret"));
  }

  void aWideParagraphIsOneLine() {
    TRichTextBox box;
    box.resize(340, 60);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const ByteString wide(5000, 'x');
    box.SetText(wide + "\r\nshort");
    QCOMPARE(box.Lines().Count(), 2);
    QCOMPARE(box.Lines()[0].size(), wide.size());
    QCOMPARE(box.document()->firstBlock().layout()->lineCount(), 1);
  }

  void keysAndMouseButtonsAreReportedAndStillHandled() {
    TRichTextBox box;
    box.resize(340, 60);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy keyDown(&box, &TRichTextBox::KeyDown);
    QSignalSpy keyUp(&box, &TRichTextBox::KeyUp);
    QSignalSpy mouseDown(&box, &TRichTextBox::MouseDown);
    QSignalSpy mouseUp(&box, &TRichTextBox::MouseUp);
    QTest::keyClick(&box, Qt::Key_A);
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(keyDown.count(), 1);
    QCOMPARE(keyUp.count(), 1);
    QCOMPARE(mouseDown.count(), 1);
    QCOMPARE(mouseUp.count(), 1);
    QCOMPARE(Raw(box.Text()), QByteArray("a"));
  }
};

QTEST_MAIN(RichTextBoxTest)
#include "rich_text_box_test.moc"
