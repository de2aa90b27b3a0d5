// The encrypter window in mail-client mode, with a fake desktop that holds
// the mail client's window, the Ctrl key, and the commands posted to it.
#include <sys/fsuid.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

#include "app/form_velunor.h"
#include "gui/gui_test_support.h"
#include "platform/window_system.h"
#include "support/write_faults.h"

using velunor::ByteString;
using velunor::TFormVelunor;
using velunor::platform::TWindowHandle;
using velunor::test::CliEncryptBytes;
using velunor::test::ClipboardText;
using velunor::test::ModalBoxCatcher;
using velunor::test::Raw;
using velunor::test::SetClipboardText;

namespace {

std::optional<QByteArray> ReadFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

void WriteFile(const std::string& path, const QByteArray& content) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
    QTest::qFail("cannot write the hand-off file", __FILE__, __LINE__);
  }
}

struct Posted {
  TWindowHandle window;
  std::uint64_t wParam;
  std::int64_t lParam;
  std::optional<QByteArray> fileContent;  // at the moment of posting
};

struct FakeDesktop : velunor::platform::TNoWindowSystem {
  static constexpr TWindowHandle kMailClient = 0x4711;
  bool mailClientRunning = true;
  bool postReaches = true;
  bool ctrlDown = false;
  std::string handOffFile;
  std::vector<Posted> posted;

  TWindowHandle FindTopLevelWindow(std::string_view className,
                                   std::optional<std::string_view> windowText) override {
    const bool isMailClient = className == "TMainForm" && windowText == "Corvane Mail";
    return mailClientRunning && isMailClient ? kMailClient : 0;
  }
  bool PostSystemCommand(TWindowHandle window, std::uint64_t wParam, std::int64_t lParam) override {
    posted.push_back({window, wParam, lParam, ReadFile(handOffFile)});
    return postReaches;
  }
  bool IsKeyDown(velunor::platform::TKey key) override {
    return key == velunor::platform::TKey::kControl && ctrlDown;
  }
};

// Root ignores file permissions; with the file system ids of "nobody" and
// "nogroup" it cannot pass them by.
class FileAccessAsNobody {
 public:
  FileAccessAsNobody() : asRoot_(geteuid() == 0) {
    if (!asRoot_) return;
    setfsgid(kNobody);
    setfsuid(kNobody);
  }
  ~FileAccessAsNobody() {
    if (!asRoot_) return;
    setfsuid(0);
    setfsgid(0);
  }
  FileAccessAsNobody(const FileAccessAsNobody&) = delete;
  FileAccessAsNobody& operator=(const FileAccessAsNobody&) = delete;

 private:
  static constexpr uid_t kNobody = 65534;
  bool asRoot_;
};

// The window started by the mail client on a hand-off file.
struct MailClientWindow {
  QTemporaryDir dir;
  std::string path;
  FakeDesktop desktop;
  std::unique_ptr<TFormVelunor> form;

  // The file lies in a temporary directory unless another one is given.
  explicit MailClientWindow(const std::optional<QByteArray>& content, const char* name = "mail.txt",
                            const QString& in = {}) {
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    const QString directory = in.isEmpty() ? dir.path() : in;
    path = name[0] == '\0' ? std::string() : (directory + '/' + name).toStdString();
    if (content) WriteFile(path, *content);
    desktop.handOffFile = path;
  }

  void Show() {
    form = std::make_unique<TFormVelunor>(desktop);
    form->SetHandOffFile(path);
    form->show();
    form->activateWindow();
  }
  void Open() {
    Show();
    if (!QTest::qWaitForWindowActive(form.get())) QTest::qFail("not active", __FILE__, __LINE__);
  }

  void TypeKeyword(const QString& keyword) { QTest::keyClicks(form->EditPassword, keyword); }
  void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  QByteArray Output() const { return Raw(form->RichEditOut->Text()); }
  QString Buttons() const {
    const auto state = [](const QPushButton* button) {
      return button->isHidden() ? "hidden" : button->isEnabled() ? "on" : "off";
    };
    return QStringLiteral("encrypt %1, decrypt %2, ok %3")
        .arg(state(form->ButtonEncrypt), state(form->ButtonDecrypt), state(form->ButtonOK));
  }
};

const QByteArray kLetter = "Hallo Welt,\r\nbis bald!\r\n";

// How a save is made to fail.
enum Fault { kUnwritableFile, kSizeLimit, kFullDisk };

}  // namespace

class MailClientModeTest : public QObject {
  Q_OBJECT

 private slots:
  // Which button goes for which text is tested in the encrypter's core.
  void activationLoadsTheFileAndLeavesOneCodingButton_data() {
    QTest::addColumn<bool>("mailClient");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QString>("buttons");
    QTest::newRow("text with a space")
        << true << kLetter << false << "encrypt off, decrypt hidden, ok off";
    QTest::newRow("text without a space")
        << true << QByteArray("SGFsbG8=") << false << "encrypt hidden, decrypt off, ok off";
    QTest::newRow("Ctrl held") << true << kLetter << true << "encrypt off, decrypt off, ok off";
    QTest::newRow("no mail client")
        << false << kLetter << false << "encrypt off, decrypt off, ok off";
  }
  void activationLoadsTheFileAndLeavesOneCodingButton() {
    QFETCH(bool, mailClient);
    QFETCH(QByteArray, content);
    QFETCH(bool, ctrl);
    QFETCH(QString, buttons);
    MailClientWindow window(content);
    window.desktop.mailClientRunning = mailClient;
    window.desktop.ctrlDown = ctrl;
    window.Open();
    TFormVelunor& form = *window.form;
    QCOMPARE(window.Buttons(), buttons);
    QCOMPARE(form.MailClientMode(), mailClient);
    QCOMPARE(Raw(form.RichEditIn->Text()), mailClient ? content : QByteArray());
    // The output box covers the input box.
    QWidget* onTheInput = form.PanelClient->childAt(form.RichEditIn->geometry().center());
    QCOMPARE(form.RichEditOut->isAncestorOf(onTheInput), mailClient);
    QCOMPARE(QApplication::focusWidget(), form.EditPassword);
  }

  void everyActivationFromAnotherFormReloadsTheFile() {
    MailClientWindow window(kLetter);
    window.Open();
    window.TypeKeyword("geheim");
    window.Click(window.form->ButtonEncrypt);
    const QByteArray cipherText = window.Output();
    QCOMPARE(window.Buttons(), QString("encrypt off, decrypt hidden, ok on"));

    WriteFile(window.path, "Neuer Text\r\n");
    velunor::TForm cheatSheet;
    cheatSheet.show();
    cheatSheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&cheatSheet));
    window.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    QCOMPARE(Raw(window.form->RichEditIn->Text()), QByteArray("Neuer Text\r\n"));
    QCOMPARE(window.Buttons(), QString("encrypt on, decrypt hidden, ok off"));
    QCOMPARE(window.Output(), cipherText);
  }

  void decryptingWarnsOfAWrongKeyword_data() {
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("warned");
    // The limit of 50 characters is tested in the encrypter's core.
    QTest::newRow("first space at 6") << QByteArray("Hallo Welt") << false << false;
    QTest::newRow("no space") << QByteArray(60, 'x') << false << true;
    QTest::newRow("no space, Ctrl held") << QByteArray(60, 'x') << true << false;
  }
  void decryptingWarnsOfAWrongKeyword() {
    QFETCH(QByteArray, plain);
    QFETCH(bool, ctrl);
    QFETCH(bool, warned);
    MailClientWindow window(Raw(CliEncryptBytes("geheim", plain.toStdString())));
    window.Open();
    window.TypeKeyword("geheim");
    window.desktop.ctrlDown = ctrl;
    ModalBoxCatcher box;
    window.Click(window.form->ButtonDecrypt);
    QCOMPARE(box.Caught(), warned);
    if (warned) {
      QCOMPARE(box.Title(), QString::fromUtf8("Vermutlich falsches Schlüsselwort!"));
      QCOMPARE(box.Text(),
               QString::fromUtf8("Mit einem falschen Schlüsselwort wird die E-Mail unbrauchbar.\n"
                                 "Geben Sie bitte ggfs. ein anderes Schlüsselwort ein!"));
      QCOMPARE(box.Icon(), QMessageBox::Warning);
      QCOMPARE(box.ButtonCount(), 1);
      // The keyword is focused and selected, to be typed over.
      QTRY_COMPARE(QApplication::focusWidget(), window.form->EditPassword);
      QCOMPARE(window.form->EditPassword->selectedText(), QString("geheim"));
    }
    // Closing the box is no activation: the result stays, and so does "&OK".
    QCOMPARE(window.Output(), plain);
    QCOMPARE(window.Buttons(), QString("encrypt hidden, decrypt off, ok on"));
  }

  void okWritesTheFileAndThenPostsTheCommand_data() {
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("name");
    QTest::newRow("existing file") << true << "mail.txt";
    QTest::newRow("no such file") << false << "mail.txt";
    QTest::newRow("no argument") << false << "";
  }
  void okWritesTheFileAndThenPostsTheCommand() {
    QFETCH(bool, fileExists);
    QFETCH(QString, name);
    MailClientWindow window(fileExists ? std::optional(kLetter) : std::nullopt,
                            name.toLatin1().constData());
    window.Open();
    if (!fileExists) {  // the input then comes by paste
      SetClipboardText("Hallo Welt");
      QTest::keyClick(window.form->EditPassword, Qt::Key_V, Qt::ControlModifier);
    }
    window.TypeKeyword("geheim");
    window.Click(window.form->ButtonEncrypt);
    SetClipboardText("untouched");
    QSignalSpy quit(window.form.get(), &TFormVelunor::QuitRequested);
    window.Click(window.form->ButtonOK);

    QCOMPARE(quit.count(), 1);
    QCOMPARE(window.desktop.posted.size(), std::size_t{1});
    const Posted& posted = window.desktop.posted.front();
    QCOMPARE(posted.window, FakeDesktop::kMailClient);
    QCOMPARE(posted.wParam, std::uint64_t{888});
    QCOMPARE(posted.lParam, std::int64_t{0});
    const auto expected = fileExists ? std::optional(window.Output()) : std::nullopt;
    QCOMPARE(posted.fileContent, expected);
    QCOMPARE(ReadFile(window.path), expected);
    QCOMPARE(ClipboardText(), QString("untouched"));
  }

  void okPutsTheResultOnTheClipboardWhenTheMailClientIsGone_data() {
    QTest::addColumn<bool>("goneBeforeOk");
    QTest::addColumn<bool>("fileWritten");
    QTest::addColumn<int>("posts");
    QTest::newRow("gone before OK") << true << false << 0;
    QTest::newRow("gone while posting") << false << true << 1;
  }
  void okPutsTheResultOnTheClipboardWhenTheMailClientIsGone() {
    QFETCH(bool, goneBeforeOk);
    QFETCH(bool, fileWritten);
    QFETCH(int, posts);
    MailClientWindow window(kLetter);
    window.Open();
    window.TypeKeyword("geheim");
    window.Click(window.form->ButtonEncrypt);
    window.desktop.mailClientRunning = !goneBeforeOk;
    window.desktop.postReaches = false;
    QSignalSpy quit(window.form.get(), &TFormVelunor::QuitRequested);
    window.Click(window.form->ButtonOK);

    QCOMPARE(quit.count(), 1);
    QCOMPARE(static_cast<int>(window.desktop.posted.size()), posts);
    QCOMPARE(ReadFile(window.path), std::optional(fileWritten ? window.Output() : kLetter));
    QCOMPARE(ClipboardText().toLatin1(), window.Output());
  }

  void abbrechenLeavesTheFileAndPostsNothing() {
    MailClientWindow window(kLetter);
    window.Open();
    window.TypeKeyword("geheim");
    window.Click(window.form->ButtonEncrypt);
    QSignalSpy closed(window.form.get(), &TFormVelunor::Closed);
    window.Click(window.form->ButtonEsc);
    QCOMPARE(closed.count(), 1);
    QVERIFY(window.desktop.posted.empty());
    QCOMPARE(ReadFile(window.path), std::optional(kLetter));
  }

  void anUnreadableFileStopsTheActivationWithItsMessage() {
    MailClientWindow window(kLetter);
    QFile::setPermissions(QString::fromStdString(window.path), {});
    ModalBoxCatcher box;
    {
      FileAccessAsNobody nobody;
      window.Show();
      QTRY_VERIFY(box.Caught());
    }
    QCOMPARE(box.Title(), QString("CMVelunor"));
    QCOMPARE(box.Text(), QString::fromUtf8("Datei %1 kann nicht geöffnet werden.")
                             .arg(QString::fromStdString(window.path)));
    QVERIFY(window.form->MailClientMode());
    QCOMPARE(Raw(window.form->RichEditIn->Text()), QByteArray());
    QCOMPARE(window.Buttons(), QString("encrypt off, decrypt off, ok off"));
  }

  // A save that fails leaves the letter as it was, notifies nobody, keeps
  // the window and puts the result on the clipboard; "&OK" may be pressed
  // again once the cause is gone.
  void aFailedSaveKeepsTheLetterAndTheResult_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message");  // %1: the file's path
    const QString kept = "\nDie E-Mail ist unverändert; das Ergebnis steht in der Zwischenablage.";
    QTest::newRow("file not writable")
        << int{kUnwritableFile}
        << "Datei %1 kann nicht erstellt werden (Zugriff verweigert)." + kept;
    QTest::newRow("file size limit")
        << int{kSizeLimit}
        << "Das Speichern des Streams ist mißlungen (die Datei würde zu groß)." + kept;
    QTest::newRow("full disk") << int{kFullDisk}
                               << "Das Speichern des Streams ist mißlungen (kein Speicherplatz "
                                  "mehr auf dem Datenträger)." +
                                      kept;
  }
  void aFailedSaveKeepsTheLetterAndTheResult() {
    QFETCH(int, fault);
    QFETCH(QString, message);
    std::optional<velunor::test::SmallFileSystem> disk;
    if (fault == kFullDisk && !disk.emplace().Mounted()) QSKIP(disk->Reason().c_str());
    // 3.5 KB of letter: its cipher text needs a second block of the disk.
    const QByteArray letter = "Lieber Freund,\r\n" + QByteArray(3500, 'x') + "\r\n";
    MailClientWindow window(letter, "mail.txt",
                            disk ? QString::fromStdString(disk->Path()) : QString());
    window.Open();
    window.TypeKeyword("geheim");
    window.Click(window.form->ButtonEncrypt);
    SetClipboardText("untouched");
    QSignalSpy quit(window.form.get(), &TFormVelunor::QuitRequested);
    const QString file = QString::fromStdString(window.path);
    std::optional<velunor::test::FileSizeLimit> limit;
    std::optional<FileAccessAsNobody> nobody;
    if (fault == kFullDisk) disk->Fill();
    if (fault == kSizeLimit) limit.emplace(4096);
    if (fault == kUnwritableFile) {
      QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther);
      nobody.emplace();
    }
    ModalBoxCatcher box;
    window.Click(window.form->ButtonOK);
    nobody.reset();
    limit.reset();
    QVERIFY(box.Caught());
    QCOMPARE(box.Text(), message.arg(file));
    QVERIFY(window.desktop.posted.empty());
    QCOMPARE(quit.count(), 0);
    QCOMPARE(ReadFile(window.path), std::optional(letter));
    QCOMPARE(velunor::test::EntriesOf(QFileInfo(file).path().toStdString()).size(),
             fault == kFullDisk ? 2u : 1u);  // no temporary file left
    QCOMPARE(ClipboardText().toLatin1(), window.Output());
    QCOMPARE(window.Buttons(), QString("encrypt off, decrypt hidden, ok on"));

    if (disk) QVERIFY(QFile::remove(QString::fromStdString(disk->File("filler"))));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    window.Click(window.form->ButtonOK);
    QCOMPARE(quit.count(), 1);
    QCOMPARE(ReadFile(window.path), std::optional(window.Output()));
    QCOMPARE(static_cast<int>(window.desktop.posted.size()), 1);
  }

  // A directory that takes no second file: the letter is rewritten in place.
  void aDirectoryWithoutRoomForASecondFileGetsTheResultInPlace() {
    MailClientWindow window(kLetter);
    window.Open();
    window.TypeKeyword("geheim");
    window.Click(window.form->ButtonEncrypt);
    QSignalSpy quit(window.form.get(), &TFormVelunor::QuitRequested);
    const QString file = QString::fromStdString(window.path);
    QFile::setPermissions(
        file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(window.dir.path(),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    {
      FileAccessAsNobody nobody;
      window.Click(window.form->ButtonOK);
    }
    QCOMPARE(quit.count(), 1);
    QCOMPARE(ReadFile(window.path), std::optional(window.Output()));
    QCOMPARE(static_cast<int>(window.desktop.posted.size()), 1);
    QCOMPARE(velunor::test::ModeOf(window.path), 0606);  // as it was
  }
};

QTEST_MAIN(MailClientModeTest)
#include "mail_client_mode_test.moc"
