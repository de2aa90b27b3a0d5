#include "gui/gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>
#include <sstream>

#include "cli/cli_app.h"

namespace velunor::test {

ModalBoxCatcher::ModalBoxCatcher() {
  connect(&timer_, &QTimer::timeout, this, &ModalBoxCatcher::Look);
  timer_.start(10);
}

void ModalBoxCatcher::Look() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return;
  timer_.stop();
  caught_ = true;
  title_ = box->windowTitle();
  text_ = box->text();
  icon_ = box->icon();
  fitsTheScreen_ = box->screen()->availableGeometry().contains(box->frameGeometry());
  const QList<QAbstractButton*> buttons = box->buttons();
  buttonCount_ = static_cast<int>(buttons.size());
  if (!buttons.isEmpty()) buttons.front()->click();
}

void SetClipboardText(const QString& text) {
  QApplication::clipboard()->setText(text);
}

QString ClipboardText() {
  return QApplication::clipboard()->text();
}

ByteString RunCli(const std::vector<std::string>& arguments, const ByteString& input) {
  std::vector<const char*> argv{"velunor"};
  for (const std::string& argument : arguments)
    argv.push_back(argument.c_str());
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(static_cast<int>(argv.size()), argv.data(), in, out, err);
  if (status != 0) {
    QTest::qFail(("velunor failed: " + err.str()).c_str(), __FILE__, __LINE__);
    return {};
  }
  return out.str();
}

namespace {

ByteString WithoutFinalLineBreak(ByteString text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

ByteString CliEncryptText(const std::string& keyword, const std::string& utf8Text) {
  return WithoutFinalLineBreak(RunCli({"encrypt", "--text", "--keyword", keyword}, utf8Text));
}

ByteString CliEncryptBytes(const std::string& keyword, const ByteString& bytes) {
  return WithoutFinalLineBreak(RunCli({"encrypt", "--keyword", keyword}, bytes));
}

}  // namespace velunor::test
