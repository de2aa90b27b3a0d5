// The keyword cheat sheet, opened from the encrypter window of a program
// that lives in a temporary directory: its file, its saves and its windows.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/failure_text.h"
#include "app/form_velunor.h"
#include "cheatsheet/form_spicker.h"
#include "encrypter/spicker_file.h"
#include "gui/gui_test_support.h"
#include "platform/window_system.h"
#include "support/write_faults.h"

using velunor::TFormSpicker;
using velunor::TFormVelunor;
using velunor::test::ContentOf;
using velunor::test::ModalBoxCatcher;

// How a save is made to fail.
enum Fault { kNoFault, kDirectoryInTheWay, kSizeLimit, kFullDisk };

namespace {

// Whether the window has become the program's active window. (The offscreen
// platform reports a new window active before the program hears of it.)
bool BecomesActive(QWidget* window) {
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

bool Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  return BecomesActive(&window);
}

// A run of the program whose file is <directory>/cmvelunor, in a temporary
// directory unless another one is given.
struct ProgramRun {
  QTemporaryDir programDirectory;
  QString directory;
  velunor::platform::TNoWindowSystem windowSystem;
  std::unique_ptr<TFormVelunor> main;

  explicit ProgramRun(const QString& in = {})
      : directory(in.isEmpty() ? programDirectory.path() : in) {
    TFormSpicker::SetProgramFilePath(directory + "/cmvelunor");
    main = std::make_unique<TFormVelunor>(windowSystem);
    if (!Activate(*main)) QTest::qFail("main window not active", __FILE__, __LINE__);
  }

  QString FilePath() const { return directory + "/cmvelunor.msg"; }
  std::string KeptPath() const { return FilePath().toStdString() + ".utf8"; }
  // What else lies in the directory: no temporary file may be left.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names = velunor::test::EntriesOf(directory.toStdString());
    std::erase(names, "cmvelunor.msg");
    std::erase(names, "filler");
    return names;
  }
  bool FileExists() const { return QFile::exists(FilePath()); }
  QByteArray FileContent() const {
    QFile file(FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }
  void WriteFile(const QByteArray& content) const {
    QFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
      QTest::qFail("cannot write the cheat sheet's file", __FILE__, __LINE__);
  }

  // F1 in the main window; the new cheat sheet, once it is active.
  TFormSpicker* Open() {
    if (!main->isActiveWindow() && !Activate(*main)) return nullptr;
    QTest::keyClick(main->EditPassword, Qt::Key_F1);
    TFormSpicker* sheet = main->FormSpicker;
    if (sheet == nullptr || !BecomesActive(sheet)) return nullptr;
    return sheet;
  }
  // Replaces the memo's text as typing would.
  static void Type(TFormSpicker& sheet, const QString& text) {
    sheet.Memo1->selectAll();
    sheet.Memo1->insertPlainText(text);
  }
  void EndProgram() { main.reset(); }
};

// A directory that not even root may write: mode r-x and, where the test
// may set it, the immutable flag.
class ReadOnlyDirectory {
 public:
  explicit ReadOnlyDirectory(const QString& path) : path_(QFile::encodeName(path)) {
    ::chmod(path_.constData(), 0555);
    SetImmutable(true);
  }
  ~ReadOnlyDirectory() {
    SetImmutable(false);
    ::chmod(path_.constData(), 0755);
  }

 private:
  void SetImmutable(bool immutable) {
    const int fd = ::open(path_.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
      ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    ::close(fd);
  }

  QByteArray path_;
};

}  // namespace

class FormSpickerTest : public QObject {
  Q_OBJECT

  QTemporaryDir dataHome_;

 private slots:
  void initTestCase() {
    // The user's data directory, for programs whose own one is read-only.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
  }

  void theWindowOpensOverTheMainWindow() {
    ProgramRun run;
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    QCOMPARE(sheet->windowTitle(), QString("Spickzettel für Schlüsselwörter"));
    // The layout's client area below the caption bar, in a window 455 wide.
    QCOMPARE(sheet->ClientArea()->size(), QSize(447, 216));
    QCOMPARE(sheet->width(), TFormSpicker::kOuterWidth);
    QCOMPARE(sheet->minimumSize(), sheet->maximumSize());
    QVERIFY(sheet->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(sheet->parentWidget(), run.main.get());
    QVERIFY(sheet->Label1->sizeHint().width() <= sheet->Label1->width());
    QCOMPARE(sheet->ButtonEsc->text(), QString("&Schließen"));
    const QPoint offset = sheet->frameGeometry().center() - run.main->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
  }

  void aMissingFileOpensEmptyAndEscCreatesIt() {
    ProgramRun run;
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    QCOMPARE(sheet->Memo1->toPlainText(), QString());
    QVERIFY(!run.FileExists());
    QTest::keyClick(sheet->Memo1, Qt::Key_Escape);
    QVERIFY(run.FileExists());
    QCOMPARE(run.FileContent(), QByteArray());
    QTRY_VERIFY(run.main->FormSpicker.isNull());  // closed is freed
  }

  void loadingAndSavingKeepTheText_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("lone LF") << QByteArray("a\nb") << "a\nb" << QByteArray("a\r\nb");
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << "a\nb\n" << QByteArray("a\r\nb\r\n");
    QTest::newRow("final CR LF kept") << QByteArray("a\r\nb\r\n") << "a\nb\n"
                                      << QByteArray("a\r\nb\r\n");
    QTest::newRow("no final break added")
        << QByteArray("a\r\n\r\nb") << "a\n\nb" << QByteArray("a\r\n\r\nb");
    QTest::newRow("code page 1252")
        << QByteArray("Gr\xFC\xDF\xA0\x80") << "Grüß\u00A0€" << QByteArray("Gr\xFC\xDF\xA0\x80");
    QTest::newRow("a zero byte ends the text")
        << QByteArray("ab\0cd", 5) << "ab" << QByteArray("ab");
  }
  void loadingAndSavingKeepTheText() {
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(QByteArray, saved);
    ProgramRun run;
    run.WriteFile(file);
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    QCOMPARE(sheet->Memo1->document()->blockCount(), static_cast<int>(shown.count('\n')) + 1);
    QCOMPARE(sheet->Memo1->document()->toRawText().replace(QChar::ParagraphSeparator, '\n'), shown);
    QTest::mouseClick(sheet->ButtonEsc, Qt::LeftButton);
    QCOMPARE(run.FileContent(), saved);
  }

  void f1TwiceShowsTheFirstWindowsTextInTheSecond() {
    ProgramRun run;
    TFormSpicker* first = run.Open();
    QVERIFY(first);
    QTest::keyClicks(first->Memo1, "kennwort");
    QTest::mouseClick(first->ButtonEsc, Qt::LeftButton);
    const QPointer<TFormSpicker> firstWindow = first;
    TFormSpicker* second = run.Open();
    QVERIFY(second);
    QVERIFY(second != firstWindow);
    QCOMPARE(second->Memo1->toPlainText(), QString("kennwort"));
  }

  void focusMovingToTheMainWindowSavesAndHides() {
    ProgramRun run;
    const QPointer<TFormSpicker> sheet = run.Open();
    QVERIFY(sheet);
    ProgramRun::Type(*sheet, "eins\nzwei");
    QVERIFY(Activate(*run.main));
    QVERIFY(sheet.isNull() || !sheet->isVisible());
    QCOMPARE(run.FileContent(), QByteArray("eins\r\nzwei"));
  }

  void switchingToAnotherProgramNeitherSavesNorHides() {
    ProgramRun run;
    run.WriteFile("alt");
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    ProgramRun::Type(*sheet, "neu");
    QWidget otherProgram;
    QVERIFY(Activate(otherProgram));
    QVERIFY(sheet->isVisible());
    QCOMPARE(run.FileContent(), QByteArray("alt"));
    QVERIFY(Activate(*sheet));  // back: the memo is not loaded again
    QCOMPARE(sheet->Memo1->toPlainText(), QString("neu"));
    QVERIFY(Activate(*run.main));
    QCOMPARE(run.FileContent(), QByteArray("neu"));
  }

  void aFailedSaveKeepsTheWindowOpenAndShowsWhy_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // %1: the file's path
    const QString longText(8192, 'x');
    QTest::newRow("file cannot be created") << int{kDirectoryInTheWay} << "geheim"
                                            << "Datei %1 kann nicht erstellt werden.";
    QTest::newRow("file size limit") << int{kSizeLimit} << longText << "Stream-Write-Fehler.";
    QTest::newRow("full disk") << int{kFullDisk} << longText << "Stream-Write-Fehler.";
    QTest::newRow("beyond the capacity")
        << int{kNoFault} << QString(velunor::encrypter::kMemoCapacity + 1, 'x')
        << "Text überschreitet Memo-Kapazität.";
    QTest::newRow("outside code page 1252")
        << int{kNoFault} << "Złoty"
        << "Der Spickzettel enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen "
           "kann: „ł“ (U+0142). Bitte ersetzen oder entfernen Sie diese Zeichen.";
  }
  void aFailedSaveKeepsTheWindowOpenAndShowsWhy() {
    QFETCH(int, fault);
    QFETCH(QString, text);
    QFETCH(QString, message);
    std::optional<velunor::test::SmallFileSystem> disk;
    if (fault == kFullDisk && !disk.emplace().Mounted()) QSKIP(disk->Reason().c_str());
    ProgramRun run(disk ? QString::fromStdString(disk->Path()) : QString());
    if (fault == kDirectoryInTheWay) {
      QVERIFY(QDir(run.directory).mkdir("cmvelunor.msg"));
    } else {
      run.WriteFile("alt");
    }
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    ProgramRun::Type(*sheet, text);
    if (fault == kFullDisk) disk->Fill();
    std::optional<velunor::test::FileSizeLimit> limit;
    if (fault == kSizeLimit) limit.emplace(1024);

    ModalBoxCatcher onClose;
    QTest::mouseClick(sheet->ButtonEsc, Qt::LeftButton);
    QVERIFY(onClose.Caught());
    QCOMPARE(onClose.Title(), QString("CMVelunor"));
    QCOMPARE(onClose.Text(), message.replace("%1", run.FilePath()));
    QVERIFY(sheet->isVisible());

    // The main window taking the focus tries again; coming back, the
    // window still holds the text it could not save.
    ModalBoxCatcher onDeactivation;
    run.main->activateWindow();
    QTRY_VERIFY(onDeactivation.Caught());
    QCOMPARE(onDeactivation.Text(), onClose.Text());
    QVERIFY(sheet->isVisible());
    QVERIFY(Activate(*sheet));
    QCOMPARE(sheet->Memo1->toPlainText(), text);
    limit.reset();
    if (fault != kDirectoryInTheWay) QCOMPARE(run.FileContent(), QByteArray("alt"));
    QCOMPARE(run.Leftovers(), std::vector<std::string>{});

    // The end of the program asks nothing: nobody may be there to answer.
    ModalBoxCatcher atProgramEnd;
    run.EndProgram();
    QVERIFY(!atProgramEnd.Caught());
  }

  void newFilesArePrivateAndOldFilesKeepTheirMode() {
    ProgramRun run;
    for (const QFile::Permissions mode :
         {QFile::Permissions{},
          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther}) {
      if (mode) QVERIFY(QFile::setPermissions(run.FilePath(), mode));
      TFormSpicker* sheet = run.Open();
      QVERIFY(sheet);
      ProgramRun::Type(*sheet, "notiz");
      QTest::mouseClick(sheet->ButtonEsc, Qt::LeftButton);
      QCOMPARE(velunor::test::ModeOf(run.FilePath().toStdString()), mode ? 0644 : 0600);
    }
  }

  // A text that cannot be saved outlives the program: a close the user
  // starts waits for the sheet, an end nobody answers keeps the text beside
  // the file, and the next start says so and shows it again.
  void unsavableEditsOutliveTheProgram() {
    QTemporaryDir directory;
    const QString text = QString::fromUtf8("Złoty\nΩ");
    {
      ProgramRun run(directory.path());
      run.WriteFile("alt");
      TFormSpicker* sheet = run.Open();
      QVERIFY(sheet);
      ProgramRun::Type(*sheet, text);
      ModalBoxCatcher onClose;
      QVERIFY(!run.main->close());
      QVERIFY(onClose.Caught());
      QVERIFY(onClose.Text().contains("Windows-1252"));
      QVERIFY(run.main->isVisible());
      QVERIFY(sheet->isVisible());
      QCOMPARE(sheet->Memo1->toPlainText(), text);
      // "&OK" ends the program too: it waits as well.
      QSignalSpy quit(run.main.get(), &TFormVelunor::QuitRequested);
      ModalBoxCatcher onOk;
      run.main->Session().ButtonOKClick();
      QVERIFY(onOk.Caught());
      QCOMPARE(quit.count(), 0);
      QVERIFY(sheet->isVisible());

      ModalBoxCatcher atProgramEnd;
      run.EndProgram();
      QVERIFY(!atProgramEnd.Caught());
      QCOMPARE(run.FileContent(), QByteArray("alt"));
      QCOMPARE(ContentOf(run.KeptPath()), std::string("Złoty\r\nΩ"));
      QCOMPARE(velunor::test::ModeOf(run.KeptPath()), 0600);
    }
    ProgramRun run(directory.path());
    ModalBoxCatcher atStart;
    velunor::ReportKeptText(run.main.get());
    QVERIFY(atStart.Caught());
    QVERIFY(atStart.Text().contains(QString::fromStdString(run.KeptPath())));
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    QCOMPARE(sheet->Memo1->toPlainText(), text);
    ProgramRun::Type(*sheet, "Zloty");
    QTest::mouseClick(sheet->ButtonEsc, Qt::LeftButton);
    QCOMPARE(run.FileContent(), QByteArray("Zloty"));
    QVERIFY(!QFile::exists(QString::fromStdString(run.KeptPath())));
  }

  // The kept text's name may hold a link or a pipe that someone else put
  // there: it is replaced by the program's own file, never written through.
  void aKeptTextTakesTheNameOfWhateverIsThere_data() {
    QTest::addColumn<bool>("pipe");
    QTest::newRow("link to a file") << false;
    QTest::newRow("pipe") << true;
  }
  void aKeptTextTakesTheNameOfWhateverIsThere() {
    QFETCH(bool, pipe);
    ProgramRun run;
    const std::string kept = run.KeptPath();
    const std::string victim = run.directory.toStdString() + "/victim";
    velunor::test::MakeFile(victim, "unberührt", 0644);
    QCOMPARE(pipe ? ::mkfifo(kept.c_str(), 0666) : ::symlink(victim.c_str(), kept.c_str()), 0);
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    QCOMPARE(sheet->Memo1->toPlainText(), QString());
    ProgramRun::Type(*sheet, QString::fromUtf8("Ωmega"));
    run.EndProgram();
    QCOMPARE(ContentOf(victim), std::string("unberührt"));
    struct stat info {};
    QCOMPARE(::lstat(kept.c_str(), &info), 0);
    QVERIFY(S_ISREG(info.st_mode));
    QCOMPARE(info.st_mode & 0777, 0600u);
    QCOMPARE(ContentOf(kept), std::string("Ωmega"));
  }

  // A kept text is read back only as far as a sheet can hold it (1 Mi
  // characters with CR LF, of two bytes too); a longer one stays in its
  // file, unread beyond that, and both the start and the sheet say so.
  void aKeptTextTooLongToShowIsLeftAlone_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<qint64>("bytes");
    const auto capacity = static_cast<qint64>(velunor::encrypter::kMemoCapacity);
    // 16 Ki lines of 62 two-byte characters and CR LF: 1 Mi characters.
    const QByteArray line = QString(62, QChar(0x3A9)).toUtf8() + "\r\n";
    QTest::newRow("a full sheet") << line.repeated(16 * 1024) << 16 * 1024 * line.size();
    // Zero bytes make up the rest of the length.
    QTest::newRow("one character too many") << QByteArray("x") << capacity + 1;
    QTest::newRow("64 MiB") << QByteArray("x") << qint64{64} * 1024 * 1024;
  }
  void aKeptTextTooLongToShowIsLeftAlone() {
    QFETCH(QByteArray, start);
    QFETCH(qint64, bytes);
    const bool fits = start.size() == bytes;
    ProgramRun run;
    run.WriteFile("alt");
    const std::string kept = run.KeptPath();
    velunor::test::MakeFile(kept, start.toStdString(), 0600);
    std::filesystem::resize_file(kept, static_cast<std::uintmax_t>(bytes));
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);

    ModalBoxCatcher atStart;
    velunor::ReportKeptText(run.main.get());
    QVERIFY(atStart.Caught());
    QVERIFY(atStart.Text().contains(QString::fromStdString(kept)));
    QCOMPARE(atStart.Text().contains("1 MiB"), !fits);
    if (fits) {
      TFormSpicker* sheet = run.Open();
      QVERIFY(sheet);
      QCOMPARE(sheet->Memo1->toPlainText(), QString::fromUtf8(start).remove('\r'));
      return;
    }
    ModalBoxCatcher onOpen;
    QTest::keyClick(run.main->EditPassword, Qt::Key_F1);
    QTRY_VERIFY(onOpen.Caught());
    QCOMPARE(onOpen.Text(), atStart.Text());
    QTRY_VERIFY(run.main->FormSpicker.isNull());  // closed without saving
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 64 * 1024,
             qPrintable(QString::number(after.ru_maxrss - before.ru_maxrss) + " KiB more"));
    run.EndProgram();
    QCOMPARE(run.FileContent(), QByteArray("alt"));
    QCOMPARE(static_cast<qint64>(std::filesystem::file_size(kept)), bytes);
  }

  void aFileTooLongToShowIsLeftAlone() {
    ProgramRun run;
    const QByteArray tooLong(static_cast<qsizetype>(velunor::encrypter::kMemoCapacity) + 1, 'x');
    run.WriteFile(tooLong);
    ModalBoxCatcher box;
    QTest::keyClick(run.main->EditPassword, Qt::Key_F1);
    QTRY_VERIFY(box.Caught());
    QCOMPARE(box.Text(), QString("Text überschreitet Memo-Kapazität."));
    QTRY_VERIFY(run.main->FormSpicker.isNull());  // closed without saving
    run.EndProgram();
    QCOMPARE(run.FileContent(), tooLong);
  }

  // Every opening leaves a window behind; only one still shown may write
  // the file at the end of the program, never an older hidden one.
  void onlyAWindowStillShownSavesAtProgramEnd_data() {
    QTest::addColumn<bool>("secondStillShown");
    QTest::newRow("all windows closed") << false;
    QTest::newRow("second window shown") << true;
  }
  void onlyAWindowStillShownSavesAtProgramEnd() {
    QFETCH(bool, secondStillShown);
    ProgramRun run;
    TFormSpicker* first = run.Open();
    QVERIFY(first);
    ProgramRun::Type(*first, "alt");
    QVERIFY(Activate(*run.main));
    TFormSpicker* second = run.Open();
    QVERIFY(second);
    QCOMPARE(second->Memo1->toPlainText(), QString("alt"));
    ProgramRun::Type(*second, "neu");
    if (!secondStillShown) {
      QTest::mouseClick(second->ButtonEsc, Qt::LeftButton);
      QCOMPARE(run.FileContent(), QByteArray("neu"));
      QVERIFY(QFile::remove(run.FilePath()));
    }
    run.EndProgram();
    if (secondStillShown) {
      QCOMPARE(run.FileContent(), QByteArray("neu"));
    } else {
      QVERIFY(!run.FileExists());  // no hidden window wrote it again
    }
  }

  void aReadOnlyProgramDirectoryKeepsTheFileInTheUsersDataDirectory() {
    ProgramRun run;
    const ReadOnlyDirectory readOnly(run.programDirectory.path());
    QVERIFY(!velunor::encrypter::DirectoryIsWritable(run.programDirectory.path().toStdString()));
    TFormSpicker* sheet = run.Open();
    QVERIFY(sheet);
    const QString fallback = dataHome_.path() + "/CMVelunor/cmvelunor.msg";
    QCOMPARE(QString::fromStdString(TFormSpicker::SpickerFileName()), fallback);
    ProgramRun::Type(*sheet, "notiz");
    QTest::mouseClick(sheet->ButtonEsc, Qt::LeftButton);
    QFile saved(fallback);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("notiz"));
    QVERIFY(!run.FileExists());
  }
};

QTEST_MAIN(FormSpickerTest)
#include "form_spicker_test.moc"
