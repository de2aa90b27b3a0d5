#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>
#include <vector>

#include "runtime/byte_string.h"

namespace velunor::test {

// Catches the next modal message box while a test waits in a handler that
// shows one: records caption, text and icon, then presses its first button.
class ModalBoxCatcher : public QObject {
  Q_OBJECT

 public:
  ModalBoxCatcher();

  bool Caught() const { return caught_; }
  const QString& Title() const { return title_; }
  const QString& Text() const { return text_; }
  QMessageBox::Icon Icon() const { return icon_; }
  int ButtonCount() const { return buttonCount_; }
  // Whether the whole box lay within the free area of its screen.
  bool FitsTheScreen() const { return fitsTheScreen_; }

 private:
  void Look();

  QTimer timer_;
  bool caught_ = false;
  QString title_;
  QString text_;
  QMessageBox::Icon icon_ = QMessageBox::NoIcon;
  int buttonCount_ = 0;
  bool fitsTheScreen_ = false;
};

// The bytes as a QByteArray, for comparisons that print readably.
inline QByteArray Raw(const ByteString& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void SetClipboardText(const QString& text);
QString ClipboardText();

// Runs the command line tool in-process on `input`; returns what it printed
// and fails the test on a non-zero status.
ByteString RunCli(const std::vector<std::string>& arguments, const ByteString& input);

// The cipher text `velunor encrypt --text` prints for a UTF-8 text, without
// its final line break.
ByteString CliEncryptText(const std::string& keyword, const std::string& utf8Text);

// The cipher text of exactly these bytes.
ByteString CliEncryptBytes(const std::string& keyword, const ByteString& bytes);

}  // namespace velunor::test
