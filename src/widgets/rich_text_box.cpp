#include "widgets/rich_text_box.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <memory>

#include "runtime/box_text.h"
#include "runtime/plain_text_file.h"
#include "runtime/text_lines.h"

namespace velunor {

namespace {

std::u16string_view Utf16Of(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// CR LF, a lone CR and a lone LF each become one LF.
QString WithLfBreaks(const QString& text) {
  QString result;
  result.reserve(text.size());
  ForEachLine(Utf16Of(text), [&](std::u16string_view line, bool broken) {
    result += QStringView(line.data(), static_cast<qsizetype>(line.size()));
    if (broken) result += u'\n';
  });
  return result;
}

}  // namespace

// ---- TRichTextBoxStrings ----------------------------------------------------

// The lines are the paragraphs of the whole text, split by the same rule the
// command line tool applies to its text, so both encrypt the same bytes.
std::vector<ByteString> TRichTextBoxStrings::ToVector() const {
  return SplitParagraphs(box_.Text());
}

int TRichTextBoxStrings::Count() const {
  return static_cast<int>(ToVector().size());
}

ByteString TRichTextBoxStrings::operator[](int index) const {
  const std::vector<ByteString> lines = ToVector();
  if (index < 0 || static_cast<std::size_t>(index) >= lines.size()) return {};
  return lines[static_cast<std::size_t>(index)];
}

void TRichTextBoxStrings::LoadTextFile(const std::string& path) {
  box_.SetText(LoadPlainTextFile(path));
}

// ---- TRichTextBox -----------------------------------------------------------

TRichTextBox::TRichTextBox(QWidget* parent) : QPlainTextEdit(parent), lines_(*this) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  setTabChangesFocus(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  viewport()->setCursor(Qt::ArrowCursor);
  // The background of tooltips, as the boxes of the Windows original had.
  QPalette colours = palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
  setPalette(colours);
}

QString TRichTextBox::ContentText() const {
  QString text = document()->toRawText();
  for (QChar& character : text) {
    // Between blocks, and the line break Shift+Enter puts inside one.
    if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator) {
      character = u'\n';
    }
  }
  return text;
}

ByteString TRichTextBox::Text() const {
  return BoxTextOfContent(Utf16Of(ContentText()));
}

void TRichTextBox::SetText(std::string_view bytes) {
  const std::u16string content = BoxContentOfText(bytes, u'\n');
  const QString text = QString::fromUtf16(content.data(), static_cast<qsizetype>(content.size()));
  if (text == ContentText()) return;
  setPlainText(text);
}

std::u32string TRichTextBox::CharactersOutsideCodePage() const {
  return CharactersOutsideCp1252(Utf16Of(ContentText()));
}

void TRichTextBox::SelectWholeText() {
  selectAll();
}

void TRichTextBox::PasteClipboardText() {
  if (isReadOnly()) return;
  // An X11 clipboard whose owner has ended has no content at all, and the
  // toolkit's own paste does not survive that: the text is read here, and an
  // empty clipboard pastes nothing.
  const QMimeData* content = QApplication::clipboard()->mimeData();
  if (content == nullptr || !content->hasText()) return;
  const QString text = content->text();
  if (text.isEmpty()) return;
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  cursor.insertText(WithLfBreaks(text));
  // Show the start of what came in, not its end.
  cursor.setPosition(start);
  setTextCursor(cursor);
}

void TRichTextBox::CopySelectedText(TClipboardMark mark) {
  QString selection = textCursor().selectedText();
  for (QChar& character : selection) {
    if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator) {
      character = u'\n';
    }
  }
  auto content = std::make_unique<QMimeData>();
  content->setText(selection);
  if (mark == TClipboardMark::kSensitive) {
    content->setData(QString::fromLatin1(kPasswordManagerHintFormat), kPasswordManagerHintSecret);
    content->setData(QString::fromLatin1(kCopyQHiddenFormat), "1");
  }
  QApplication::clipboard()->setMimeData(content.release());
}

bool IsMarkedSensitive(const QMimeData& content) {
  return content.data(QString::fromLatin1(kPasswordManagerHintFormat)) ==
         kPasswordManagerHintSecret;
}

void TRichTextBox::ClearText() {
  clear();
}

void TRichTextBox::SetReadOnly(bool readOnly) {
  setReadOnly(readOnly);
  // The editor switches the pointer with its read-only state; the boxes keep the arrow.
  viewport()->setCursor(Qt::ArrowCursor);
}

void TRichTextBox::keyPressEvent(QKeyEvent* event) {
  QPlainTextEdit::keyPressEvent(event);
  emit KeyDown(event);
}

void TRichTextBox::keyReleaseEvent(QKeyEvent* event) {
  QPlainTextEdit::keyReleaseEvent(event);
  emit KeyUp(event);
}

void TRichTextBox::mousePressEvent(QMouseEvent* event) {
  QPlainTextEdit::mousePressEvent(event);
  emit MouseDown(event);
}

void TRichTextBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit MouseUp(event);
}

}  // namespace velunor
