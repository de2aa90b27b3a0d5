#include "cheatsheet/form_spicker.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QShowEvent>
#include <QStandardPaths>
#include <cstdio>
#include <exception>

#include "cheatsheet/spicker_file.h"
#include "files/file_replacement.h"
#include "runtime/form_description.h"
#include "runtime/streams.h"
#include "runtime/text_lines.h"
#include "widgets/codepage_text.h"
#include "widgets/fixed_layout.h"
#include "widgets/message_box.h"

namespace velunor {

namespace {

constexpr int kMemoHeight = 182;

// The window's own stored values: the caption bar's gradient stops at the
// tooltip colour, with the system's caption font.
const TFormDescription& StoredDescription() {
  static const TFormDescription description = {
      {"FormSpicker",
       {{"CaptionFont.Height", "-11"},
        {"CaptionFont.Name", "MS Sans Serif"},
        {"CaptionFont.Style", "[fsBold]"},
        {"UseSystemCaptionFont", "True"},
        {"GradientStopColor", "clInfoBk"}}},
  };
  return description;
}

std::string& SharedSpickerFileName() {
  static std::string fileName;
  return fileName;
}

QString& ProgramFilePathOverride() {
  static QString path;
  return path;
}

QString ProgramFilePath() {
  const QString& path = ProgramFilePathOverride();
  return path.isEmpty() ? QCoreApplication::applicationFilePath() : path;
}

// Replaces the file as a whole or not at all (see TFileReplacement). A new
// file is readable by its owner only: it holds keywords.
void ReplaceFile(const std::string& path, std::string_view text) {
  const QString name = QString::fromStdString(path);
  // The user's data directory may not exist yet.
  QDir().mkpath(QFileInfo(name).absolutePath());
  try {
    ReplaceFileAtomically(path, text, TFileReplacement::kPrivateNewFileMode);
  } catch (const EFileReplacement& failure) {
    if (failure.Step() == TReplacementStep::kWrite) throw EWriteError();
    throw EFCreateError(path, failure.Error());
  }
}

// Where a text that could not be saved at the end of the program is kept.
std::string KeptTextFileName(const std::string& spickerFileName) {
  return spickerFileName + kKeptTextSuffix;
}

std::string CurrentSpickerFileName() {
  const QString fallbackDirectory =
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return ChooseSpickerFileName(ProgramFilePath().toStdString(), fallbackDirectory.toStdString());
}

}  // namespace

TFormSpicker::TFormSpicker(QWidget* owner, THandlerRunner runHandler)
    : TGradientForm(owner), runHandler_(std::move(runHandler)) {
  // A closed window has saved its text and is freed, so that no hidden
  // window is left to write an older text at the end of the program.
  setAttribute(Qt::WA_DeleteOnClose);
  if (owner != nullptr) setFont(owner->font());
  setWindowTitle(tr("Spickzettel für Schlüsselwörter"));
  StoredValues().SetName("FormSpicker");
  ReadFormDescription(StoredValues(), StoredDescription());
  SetClientSize(kClientWidth, kClientHeight);
  CreateControls();
  SetCancelButton(ButtonEsc);
  connect(ButtonEsc, &QPushButton::clicked, this, [this] { Run([this] { ButtonEscClick(); }); });
  GradientFormCreate();
}

TFormSpicker::~TFormSpicker() {
  GradientFormDestroy();
}

void TFormSpicker::CreateControls() {
  Panel1 = NewPanel(ClientArea(), QRect(0, 0, kClientWidth, kMemoHeight));
  Memo1 = new QPlainTextEdit(Panel1);
  Memo1->setGeometry(0, 0, kClientWidth, kMemoHeight);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setTabChangesFocus(true);
  Panel2 = NewPanel(ClientArea(), QRect(0, kMemoHeight, kClientWidth, kClientHeight - kMemoHeight));
  Label1 =
      NewCentredLabel(Panel2, tr("Änderungen im Spickzettel werden immer automatisch gespeichert"),
                      QPoint(3, 11), 362);
  ButtonEsc = NewButton(Panel2, tr("&Schließen"), QRect(371, 6, 75, 25));

  const std::pair<QObject*, const char*> controls[] = {
      {Panel1, "Panel1"}, {Memo1, "Memo1"},         {Panel2, "Panel2"},
      {Label1, "Label1"}, {ButtonEsc, "ButtonEsc"},
  };
  for (const auto& [control, name] : controls)
    control->setObjectName(QLatin1String(name));
  setObjectName(QStringLiteral("FormSpicker"));
}

const std::string& TFormSpicker::SpickerFileName() {
  return SharedSpickerFileName();
}

void TFormSpicker::SetProgramFilePath(const QString& path) {
  ProgramFilePathOverride() = path;
}

bool TFormSpicker::Run(const std::function<void()>& handler) {
  bool completed = false;
  runHandler_(this, [&] {
    handler();
    completed = true;
  });
  return completed;
}

// ---- Memo text and file -----------------------------------------------------

QString TFormSpicker::MemoContent() const {
  // The raw text keeps no-break spaces, which the plain text turns into blanks.
  QString text = Memo1->document()->toRawText();
  for (QChar& character : text) {
    // Between blocks, and the line break Shift+Enter puts inside one.
    if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator) {
      character = u'\n';
    }
  }
  return text;
}

ByteString TFormSpicker::MemoText() const {
  const QString text = MemoContent();
  const std::u32string outside = CharactersOutsideCp1252(text);
  if (!outside.empty()) {
    throw Exception(tr("Der Spickzettel enthält Zeichen, die der Zeichensatz "
                       "Windows-1252 nicht darstellen kann: %1. Bitte ersetzen oder "
                       "entfernen Sie diese Zeichen.")
                        .arg(DescribeCharacters(outside))
                        .toStdString());
  }
  return WithCrLfBreaks(TextToCp1252(text));
}

void TFormSpicker::LoadMemo() {
  ByteString text = ReadSpickerText(SpickerFileName());
  std::erase(text, '\r');  // every break is CR LF; the text box breaks lines at LF
  const QString content = TextFromCp1252(text);
  // An unchanged text is not set again, which would move the cursor to the start.
  if (content != MemoContent()) Memo1->setPlainText(content);
  Memo1->document()->setModified(false);
}

void TFormSpicker::SaveMemo() {
  const ByteString text = MemoText();
  CheckMemoCapacity(text.size());
  ReplaceFile(SpickerFileName(), text);
  Memo1->document()->setModified(false);
  // The text kept at an earlier end is in the file now.
  std::remove(KeptTextFileName(SpickerFileName()).c_str());
}

QString TFormSpicker::KeptTextTooLong(const std::string& path) {
  return tr("Der Text, der beim letzten Programmende in der Datei %1 erhalten blieb, ist "
            "länger, als ein Spickzettel fassen kann (1 MiB). Bitte übernehmen Sie ihn mit "
            "einem Texteditor und löschen Sie danach die Datei.")
      .arg(QString::fromStdString(path));
}

std::optional<ByteString> TFormSpicker::KeptText(const std::string& path) {
  try {
    return ReadKeptText(path);
  } catch (const EKeptTextTooLong&) {
    // Left in its file: the sheet opens only once the user has taken it over.
    throw Exception(KeptTextTooLong(path).toStdString());
  }
}

void TFormSpicker::LoadKeptText(const ByteString& text) {
  Memo1->setPlainText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).remove(u'\r'));
  // Not in the file yet: the next save puts it there.
  Memo1->document()->setModified(true);
}

void TFormSpicker::KeepUnsavedText(const char* reason) {
  const std::string kept = KeptTextFileName(SpickerFileName());
  const QByteArray text = MemoContent().toUtf8();
  try {
    // Never through a link planted at its name, which could point anywhere.
    ReplaceFileAtomically(
        kept, WithCrLfBreaks(std::string_view(text.data(), static_cast<std::size_t>(text.size()))),
        TFileReplacement::kPrivateNewFileMode, TTargetName::kNameItself);
  } catch (const std::exception& failure) {
    // Nowhere left to put it but the terminal, should there be one.
    std::fprintf(stderr, "cmvelunor: %s; %s\n", reason, failure.what());
  }
}

void TFormSpicker::SaveAndClose() {
  SaveMemo();
  done_ = true;
  close();
}

void TFormSpicker::CloseUnsaved() {
  done_ = true;
  close();
}

// ---- Handlers ---------------------------------------------------------------

void TFormSpicker::GradientFormCreate() {
  SetOuterWidth(kOuterWidth);
  SharedSpickerFileName() = CurrentSpickerFileName();
}

void TFormSpicker::GradientFormActivate() {
  // Back after a failed save, the memo keeps the text it could not save.
  if (done_ || Memo1->document()->isModified()) return;
  if (const auto kept = KeptText(KeptTextFileName(SpickerFileName()))) {
    LoadKeptText(*kept);
  } else if (FileExists(SpickerFileName())) {
    LoadMemo();
  }
}

void TFormSpicker::GradientFormDeactivate() {
  if (!done_) SaveAndClose();
}

void TFormSpicker::ButtonEscClick() {
  SaveAndClose();
}

void TFormSpicker::GradientFormDestroy() {
  if (done_) return;
  // The end of the program cannot wait for an answer (the session may be
  // ending): a text that cannot be saved is kept beside the file instead,
  // and the next start says so.
  try {
    SaveMemo();
  } catch (const std::exception& failure) {
    KeepUnsavedText(failure.what());
  }
}

bool TFormSpicker::SaveBeforeProgramEnd() {
  if (done_ || Run([this] { SaveMemo(); })) return true;
  show();
  raise();
  activateWindow();
  return false;
}

bool TFormSpicker::SaveOpenSheets(QWidget* owner) {
  for (TFormSpicker* sheet : owner->findChildren<TFormSpicker*>(Qt::FindDirectChildrenOnly)) {
    if (!sheet->SaveBeforeProgramEnd()) return false;
  }
  return true;
}

void TFormSpicker::ReportKeptText(QWidget* parent) {
  const std::string kept = KeptTextFileName(CurrentSpickerFileName());
  QString text = tr("Beim letzten Programmende konnte der Spickzettel nicht "
                    "gespeichert werden. Sein Text ist in der Datei %1 erhalten "
                    "geblieben; der Spickzettel zeigt ihn beim nächsten Öffnen.")
                     .arg(QString::fromStdString(kept));
  try {
    if (!ReadKeptText(kept)) return;
  } catch (const EKeptTextTooLong&) {
    text = KeptTextTooLong(kept);
  } catch (const Exception&) {
    // Unreadable: the sheet says why when it opens.
  }
  TMessageBox box(QMessageBox::Information, tr("Information"), text, QMessageBox::Ok, parent);
  box.exec();
}

// ---- Window events ----------------------------------------------------------

void TFormSpicker::FormActivate() {
  // A file that cannot be read must not be overwritten by an empty memo.
  if (!Run([this] { GradientFormActivate(); })) CloseUnsaved();
}

void TFormSpicker::FormDeactivate() {
  Run([this] { GradientFormDeactivate(); });
}

void TFormSpicker::showEvent(QShowEvent* event) {
  TGradientForm::showEvent(event);
  const QWidget* owner = parentWidget();
  if (owner != nullptr && !event->spontaneous()) {
    const QRect frame = frameGeometry();
    move(owner->frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
}

void TFormSpicker::closeEvent(QCloseEvent* event) {
  // The frame's close button saves first, as "&Schließen" does.
  if (!done_ && !Run([this] { SaveMemo(); })) {
    event->ignore();
    return;
  }
  done_ = true;
  event->accept();
}

}  // namespace velunor
