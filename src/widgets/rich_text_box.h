#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/byte_string.h"

class QMimeData;

namespace velunor {

class TRichTextBox;

// The lines of a text box as 8-bit text: one line per paragraph, and a text
// ending in a paragraph break has no empty last line.
class TRichTextBoxStrings {
 public:
  explicit TRichTextBoxStrings(TRichTextBox& box) : box_(box) {}

  int Count() const;
  // Line `index` (0-based) without its paragraph break.
  ByteString operator[](int index) const;
  std::vector<ByteString> ToVector() const;

  // Replaces the box's content with the file's plain 8-bit text
  // (LoadPlainTextFile); CR LF, a lone CR and a lone LF each end a
  // paragraph. Raises EFOpenError ("Datei %s kann nicht geöffnet werden")
  // and leaves the box unchanged when the file cannot be read. (The
  // plain-text save of a box's whole text is the encrypter core's SaveTextFile.)
  void LoadTextFile(const std::string& path);

 private:
  TRichTextBox& box_;
};

// What a copy puts on the clipboard besides the text.
enum class TClipboardMark {
  kNone,
  // A hint for clipboard history tools to keep no copy, as password managers give.
  kSensitive,
};

// The MIME entry that marks clipboard content as sensitive, and its value
// (KDE's Klipper and the password managers that fill it).
inline constexpr const char* kPasswordManagerHintFormat = "x-kde-passwordManagerHint";
inline constexpr const char* kPasswordManagerHintSecret = "secret";
// CopyQ's own mark for content it is to neither show nor keep.
inline constexpr const char* kCopyQHiddenFormat = "application/x-copyq-hidden";

// Whether clipboard content carries the sensitive mark.
bool IsMarkedSensitive(const QMimeData& content);

// A multi-line plain-text box that exchanges its content as code page 1252
// bytes. Paragraphs are never wrapped: each is one line, and a horizontal
// scroll bar shows the rest of a wide one. The program may change the
// content even when the user may not (read-only).
//
// Paragraph breaks: in the whole text (Text) and in saved files every break
// is CR LF, the break of the Windows world the mail client comes from;
// setting or loading a text takes CR LF, a lone CR and a lone LF each as one
// break, so any text with CR LF breaks comes back byte for byte.
class TRichTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TRichTextBox(QWidget* parent = nullptr);

  TRichTextBoxStrings& Lines() { return lines_; }
  const TRichTextBoxStrings& Lines() const { return lines_; }

  // The whole content, paragraphs separated by CR LF. Characters that code
  // page 1252 lacks read as "?" (see CharactersOutsideCodePage).
  ByteString Text() const;
  // Replaces the whole content with `bytes` up to their first zero byte;
  // nothing happens when the box already holds that text.
  void SetText(std::string_view bytes);
  // The characters of the content that code page 1252 lacks, each once.
  std::u32string CharactersOutsideCodePage() const;

  void SelectWholeText();
  // Replaces the selection with the clipboard's text and shows its start; a
  // read-only box ignores it, and a clipboard without text changes nothing.
  void PasteClipboardText();
  // Puts the selected text on the clipboard (an empty selection empties it).
  void CopySelectedText(TClipboardMark mark = TClipboardMark::kNone);
  void ClearText();

  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool readOnly);

 signals:
  // Keys and mouse buttons pressed and released in the box, reported after
  // the box has handled them.
  void KeyDown(QKeyEvent* event);
  void KeyUp(QKeyEvent* event);
  void MouseDown(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The content with every paragraph break as one LF.
  QString ContentText() const;

  TRichTextBoxStrings lines_;
};

}  // namespace velunor
