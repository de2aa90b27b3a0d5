#include "cheatsheet/form_spicker.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QList>
#include <QShowEvent>
#include <exception>

#include "encrypter/caption_description.h"
#include "encrypter/spicker_file.h"
#include "runtime/form_description.h"
#include "widgets/fixed_layout.h"

namespace velunor {

namespace {

constexpr int kMemoHeight = 182;

// The window's own stored values: the caption bar's gradient stops at the
// tooltip colour, with the system's caption font.
const TFormDescription& StoredDescription() {
  static const TFormDescription description = {
      encrypter::CaptionDescription("FormSpicker"),
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

}  // namespace

class TFormSpicker::TWindow final : public encrypter::TSpickerWindow {
 public:
  explicit TWindow(TFormSpicker& form) : form_(form), memo_(*form.Memo1) {}

  std::string Text() override {
    // The raw text keeps no-break spaces, which the plain text turns into blanks.
    QString text = memo_.document()->toRawText();
    for (QChar& character : text) {
      // Between blocks, and the line break Shift+Enter puts inside one.
      if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator) {
        character = u'\n';
      }
    }
    // Through UCS-4, a lone surrogate becomes U+FFFD (UTF-8 would make it "?").
    const QList<uint> characters = text.toUcs4();
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             characters.size())
        .toStdString();
  }
  void SetText(std::string_view utf8) override {
    memo_.setPlainText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  }
  bool Modified() override { return memo_.document()->isModified(); }
  void SetModified(bool modified) override { memo_.document()->setModified(modified); }

  void Close() override { form_.close(); }
  void ComeToFront() override {
    form_.show();
    form_.raise();
    form_.activateWindow();
  }
  void ShowFailure(std::exception_ptr failure) override {
    form_.runHandler_(&form_, [failure] { std::rethrow_exception(failure); });
  }

 private:
  TFormSpicker& form_;
  QPlainTextEdit& memo_;
};

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
  connect(ButtonEsc, &QPushButton::clicked, this, [this] { session_->ButtonEscClick(); });
  GradientFormCreate();
}

TFormSpicker::~TFormSpicker() {
  session_->GradientFormDestroy();
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

std::string TFormSpicker::CurrentSpickerFileName() {
  return encrypter::SpickerFileNameFor(ProgramFilePath().toStdString());
}

// ---- Handlers ---------------------------------------------------------------

void TFormSpicker::GradientFormCreate() {
  SetOuterWidth(kOuterWidth);
  SharedSpickerFileName() = CurrentSpickerFileName();
  window_ = std::make_unique<TWindow>(*this);
  session_ = std::make_unique<encrypter::TSpickerSession>(*window_, SharedSpickerFileName());
}

bool TFormSpicker::SaveBeforeProgramEnd() {
  return session_->SaveBeforeProgramEnd();
}

bool TFormSpicker::SaveOpenSheets(QWidget* owner) {
  for (TFormSpicker* sheet : owner->findChildren<TFormSpicker*>(Qt::FindDirectChildrenOnly)) {
    if (!sheet->SaveBeforeProgramEnd()) return false;
  }
  return true;
}

// ---- Window events ----------------------------------------------------------

void TFormSpicker::FormActivate() {
  session_->GradientFormActivate();
}

void TFormSpicker::FormDeactivate() {
  session_->GradientFormDeactivate();
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
  if (!session_->CloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace velunor
