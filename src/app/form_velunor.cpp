#include "app/form_velunor.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>

#include "app/application.h"
#include "encrypter/keyword_rule.h"
#include "encrypter/program.h"
#include "platform/window_system.h"
#include "runtime/support.h"
#include "widgets/fixed_layout.h"
#include "widgets/glyphs.h"
#include "widgets/message_box.h"

namespace velunor {

namespace {

constexpr int kClientWidth = 536;
constexpr int kClientHeight = 331;

// "MS Sans Serif" 8 point is 11 pixels high on the 96 dpi screens the layout
// was made for; the pixel size keeps the texts in their fixed places. The
// first family the system has is taken.
QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arimo"), QStringLiteral("Arial"),
                    QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Sans Serif")});
  font.setPixelSize(11);
  return font;
}

TRichTextBox* NewTextBox(QWidget* parent, const QRect& geometry) {
  auto* box = new TRichTextBox(parent);
  box->setGeometry(geometry);
  return box;
}

}  // namespace

class TFormVelunor::TFrontEnd final : public encrypter::TEncrypterFrontEnd {
 public:
  explicit TFrontEnd(TFormVelunor& form) : form_(form) {}

  std::size_t KeywordLength() override {
    return static_cast<std::size_t>(form_.EditPassword->text().toUcs4().size());
  }
  std::u32string KeywordCharacters() override {
    // The copy of the keyword's characters is zeroed once it is read.
    QList<uint> codes = form_.EditPassword->text().toUcs4();
    std::u32string characters(codes.begin(), codes.end());
    SecureFill(codes.data(), 0, static_cast<std::size_t>(codes.size()) * sizeof(uint));
    return characters;
  }

  ByteString InputText() override { return form_.RichEditIn->Text(); }
  std::u32string InputCharactersOutsideCodePage() override {
    return form_.RichEditIn->CharactersOutsideCodePage();
  }
  void SetInputText(std::string_view bytes) override { form_.RichEditIn->SetText(bytes); }
  void SetInputUtf8Text(std::string_view utf8) override {
    form_.RichEditIn->setPlainText(QString::fromUtf8(utf8));
  }
  void PasteIntoInput() override {
    form_.RichEditIn->SelectWholeText();
    form_.RichEditIn->PasteClipboardText();
  }

  ByteString OutputText() override { return form_.RichEditOut->Text(); }
  void SetOutputText(std::string_view bytes) override { form_.RichEditOut->SetText(bytes); }
  void SetOutputUtf8Text(std::string_view utf8) override {
    form_.RichEditOut->setPlainText(QString::fromUtf8(utf8));
  }
  void CopyOutputToClipboard(bool sensitive) override {
    form_.RichEditOut->SelectWholeText();
    form_.RichEditOut->CopySelectedText(sensitive ? TClipboardMark::kSensitive
                                                  : TClipboardMark::kNone);
  }

  void ShowControls(const encrypter::TEncrypterControls& controls) override {
    form_.ButtonEncrypt->setEnabled(controls.encryptEnabled);
    form_.ButtonDecrypt->setEnabled(controls.decryptEnabled);
    if (controls.encryptHidden) form_.ButtonEncrypt->hide();
    if (controls.decryptHidden) form_.ButtonDecrypt->hide();
    form_.RichEditIn->SetReadOnly(controls.boxesReadOnly);
    form_.RichEditOut->SetReadOnly(controls.boxesReadOnly);
    form_.ButtonOK->setEnabled(controls.okEnabled);
    if (controls.outputFillsPanel) {
      // Above the other controls of the panel, the output box covers the
      // input box, the paste button and the labels.
      form_.RichEditOut->setGeometry(form_.PanelClient->contentsRect());
      form_.RichEditOut->raise();
    }
  }
  void MoveFocus(encrypter::TFocus focus) override {
    switch (focus) {
      case encrypter::TFocus::kOk:
        form_.ButtonOK->setFocus();
        return;
      case encrypter::TFocus::kKeywordSelected:
        form_.EditPassword->setFocus();
        form_.EditPassword->selectAll();
        return;
      case encrypter::TFocus::kKeyword:
        // The mouse pointer stays visible while typing here, so unlike on
        // Windows nothing has to bring it back around the focus change.
        form_.EditPassword->setFocus();
        return;
    }
  }

  bool FindMailClient() override {
    mailClient_ = form_.windowSystem_.FindTopLevelWindow(encrypter::kMailClientClassName,
                                                         encrypter::kMailClientWindowText);
    return mailClient_ != 0;
  }
  bool NotifyMailClient() override {
    return form_.windowSystem_.PostSystemCommand(mailClient_, platform::kHandOffCommand, 0);
  }
  bool CtrlDown() override { return form_.windowSystem_.IsKeyDown(platform::TKey::kControl); }
  void ProcessPendingMessage() override { velunor::ProcessPendingMessage(); }

  void ShowWrongKeywordWarning() override {
    TMessageBox box(
        QMessageBox::Warning, TFormVelunor::tr("Vermutlich falsches Schlüsselwort!"),
        TFormVelunor::tr("Mit einem falschen Schlüsselwort wird die E-Mail unbrauchbar.\n"
                         "Geben Sie bitte ggfs. ein anderes Schlüsselwort ein!"),
        QMessageBox::Ok, &form_);
    box.exec();
    // A window manager may hand the focus to another window when the box
    // closes, and the window's own focus would go back to "&OK".
    form_.activateWindow();
  }
  bool SaveOpenCheatSheets() override { return TFormSpicker::SaveOpenSheets(&form_); }
  void Quit() override { emit form_.QuitRequested(); }

 private:
  TFormVelunor& form_;
  platform::TWindowHandle mailClient_ = 0;
};

TFormVelunor::TFormVelunor(platform::TWindowSystem& windowSystem, QWidget* parent)
    : TFormVelunor(
          windowSystem,
          [](encrypter::TEncrypterFrontEnd& frontEnd,
             encrypter::TFormVelunorComponents& components) {
            return std::make_unique<encrypter::TEncrypterSession>(frontEnd, components);
          },
          encrypter::kMainWindowClassName, parent) {}

TFormVelunor::TFormVelunor(platform::TWindowSystem& windowSystem,
                           const TSessionFactory& makeSession, const char* windowClassName,
                           QWidget* parent)
    : TGradientForm(parent),
      windowSystem_(windowSystem),
      frontEnd_(std::make_unique<TFrontEnd>(*this)),
      // FormCreate: the session chooses the coding's algorithms.
      session_(makeSession(*frontEnd_, Components)) {
  setWindowTitle(tr("CMVelunor - Text ent-/verschlüsseln"));
  setWindowIcon(ApplicationIcon());
  setFont(WindowFont());
  SetClientSize(kClientWidth, kClientHeight);
  CreateActions();
  CreateTopPanel();
  CreateClientPanel();
  CreateBottomPanel();
  SetTabOrder();
  NameControls();
  ConnectHandlers();
  SetCancelButton(ButtonEsc);
  ApplyWindowClassName(windowClassName);
  frontEnd_->ShowControls(session_->Controls());
}

TFormVelunor::~TFormVelunor() {
  // Cheat sheets still open save their text as they are destroyed, and may
  // show the error box: that must happen while this window is still whole.
  qDeleteAll(findChildren<TFormSpicker*>(Qt::FindDirectChildrenOnly));
}

void TFormVelunor::CreateActions() {
  actSpickzettel = new QAction(CheatSheetGlyph(), tr("Spickzettel anzeigen"), this);
  actSpickzettel->setShortcut(QKeySequence(Qt::Key_F1));
  actPaste = new QAction(PasteGlyph(), tr("Text aus der Zwischenablage einfügen"), this);
  actPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  for (QAction* action : {actSpickzettel, actPaste}) {
    action->setToolTip(action->text());
    AddFormAction(action);
  }
}

void TFormVelunor::CreateTopPanel() {
  PanelTop = NewPanel(ClientArea(), QRect(0, 0, kClientWidth, 57), true);
  Label1 = NewLabel(PanelTop, tr("Schlüsselwort: "), QPoint(10, 10));
  EditPassword = new QLineEdit(PanelTop);
  EditPassword->setGeometry(85, 7, 440, 21);
  EditPassword->setMaxLength(static_cast<int>(encrypter::kMaxKeywordBytes));
  EditPassword->setToolTip(tr("Achtung: Zwischen Groß- und Kleinschreibung wird unterschieden!!!"));
  Label4 = NewLabel(PanelTop, tr("Das Schlüsselwort muß zwischen 3 und 70 Zeichen lang sein"),
                    QPoint(85, 32));
  Label7 = NewLabel(PanelTop, tr("Rijndael 256bit Key"), QPoint(432, 32));
  Label7->setEnabled(false);
}

void TFormVelunor::CreateClientPanel() {
  const QString onlyWithValidKeyword =
      tr("Funktioniert aber nur, wenn das Schlüsselwort gültig ist!");
  PanelClient = NewPanel(ClientArea(), QRect(0, 57, kClientWidth, 233), true);
  Label5 = NewLabel(PanelClient,
                    tr("1. Der zu ent-/verschlüsselnde Text muß aus der "
                       "Zwischenablage eingefügt werden: "),
                    QPoint(10, 16), 413);
  TBButtonPasteFromClipboard = new TFlatGlyphButton(actPaste, PanelClient);
  TBButtonPasteFromClipboard->setGeometry(415, 12, 23, 22);
  Label2 =
      NewRightAlignedLabel(PanelClient, tr("Eingefügt wurde dieser Text: "), QPoint(10, 45), 175);
  RichEditIn = NewTextBox(PanelClient, QRect(185, 45, 340, 60));
  Label6 = NewLabel(PanelClient,
                    tr("2. Der eingefügte Text muß jetzt entweder mit [Verschlüsseln] "
                       "oder [Entschlüsseln] geändert werden."),
                    QPoint(11, 112));
  Label6->setToolTip(onlyWithValidKeyword);
  LabelDone = NewRightAlignedLabel(PanelClient, tr("Der geänderte Text: "), QPoint(10, 135), 175);
  RichEditOut = NewTextBox(PanelClient, QRect(185, 135, 340, 60));
  Label3 = NewLabel(PanelClient,
                    tr("3. Der geänderte Text kann mit [OK] in die Zwischenablage "
                       "kopiert werden."),
                    QPoint(11, 206));
  Label3->setToolTip(onlyWithValidKeyword);
}

void TFormVelunor::CreateBottomPanel() {
  PanelBottom = NewPanel(ClientArea(), QRect(0, 290, kClientWidth, 41), false);
  TBSpicker = new TFlatGlyphButton(actSpickzettel, PanelBottom);
  TBSpicker->setGeometry(11, 10, 23, 22);
  ButtonEncrypt = NewButton(PanelBottom, tr("Verschlüsseln"), QRect(86, 9, 90, 25));
  ButtonDecrypt = NewButton(PanelBottom, tr("Entschlüsseln"), QRect(185, 9, 90, 25));
  ButtonOK = NewButton(PanelBottom, tr("&OK"), QRect(372, 9, 75, 25));
  ButtonEsc = NewButton(PanelBottom, tr("Abbrechen"), QRect(451, 9, 75, 25));
}

void TFormVelunor::SetTabOrder() {
  QWidget* const chain[] = {EditPassword, ButtonEncrypt, ButtonDecrypt, ButtonEsc,
                            ButtonOK,     RichEditIn,    RichEditOut};
  for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
    setTabOrder(chain[i], chain[i + 1]);
}

void TFormVelunor::NameControls() {
  const std::pair<QObject*, const char*> controls[] = {
      {PanelTop, "PanelTop"},
      {Label1, "Label1"},
      {EditPassword, "EditPassword"},
      {Label4, "Label4"},
      {Label7, "Label7"},
      {PanelClient, "PanelClient"},
      {Label5, "Label5"},
      {TBButtonPasteFromClipboard, "TBButtonPasteFromClipboard"},
      {Label2, "Label2"},
      {RichEditIn, "RichEditIn"},
      {Label6, "Label6"},
      {LabelDone, "LabelDone"},
      {RichEditOut, "RichEditOut"},
      {Label3, "Label3"},
      {PanelBottom, "PanelBottom"},
      {TBSpicker, "TBSpicker"},
      {ButtonEncrypt, "ButtonEncrypt"},
      {ButtonDecrypt, "ButtonDecrypt"},
      {ButtonOK, "ButtonOK"},
      {ButtonEsc, "ButtonEsc"},
      {actSpickzettel, "actSpickzettel"},
      {actPaste, "actPaste"},
  };
  for (const auto& [control, name] : controls)
    control->setObjectName(QLatin1String(name));
  setObjectName(QStringLiteral("FormVelunor"));
}

void TFormVelunor::Run(void (encrypter::TEncrypterSession::*handler)()) {
  RunHandler(this, [this, handler] { ((*session_).*handler)(); });
}

void TFormVelunor::ConnectHandlers() {
  using encrypter::TEncrypterSession;
  connect(EditPassword, &QLineEdit::textChanged, this,
          [this] { Run(&TEncrypterSession::EditPasswordChange); });
  connect(ButtonEncrypt, &QPushButton::clicked, this,
          [this] { Run(&TEncrypterSession::ButtonEncryptClick); });
  connect(ButtonDecrypt, &QPushButton::clicked, this,
          [this] { Run(&TEncrypterSession::ButtonDecryptClick); });
  connect(ButtonOK, &QPushButton::clicked, this,
          [this] { Run(&TEncrypterSession::ButtonOKClick); });
  connect(ButtonEsc, &QPushButton::clicked, this, [this] { ButtonEscClick(); });
  connect(actPaste, &QAction::triggered, this,
          [this] { Run(&TEncrypterSession::ButtonPasteFromClipboardClick); });
  connect(actSpickzettel, &QAction::triggered, this, [this] { actSpickzettelExecute(); });
  // Both boxes send the focus back to the keyword box, on a key or a mouse
  // button pressed or released.
  for (TRichTextBox* box : {RichEditIn, RichEditOut}) {
    for (const auto signal : {&TRichTextBox::MouseDown, &TRichTextBox::MouseUp}) {
      connect(box, signal, this, [this] { Run(&TEncrypterSession::ReturnFocusToKeyword); });
    }
    for (const auto signal : {&TRichTextBox::KeyDown, &TRichTextBox::KeyUp}) {
      connect(box, signal, this, [this] { Run(&TEncrypterSession::ReturnFocusToKeyword); });
    }
  }
  // Clicks in the keyword box and double-clicks on its label.
  EditPassword->installEventFilter(this);
  Label1->installEventFilter(this);
}

bool TFormVelunor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditPassword && event->type() == QEvent::MouseButtonRelease) {
    Run(&encrypter::TEncrypterSession::ReturnFocusToKeyword);
  } else if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
    actSpickzettel->trigger();
  }
  return TGradientForm::eventFilter(watched, event);
}

void TFormVelunor::ApplyWindowClassName(const char* className) {
  // The toolkit names the class of a new window itself; its requests must
  // reach the window system before the name is replaced.
  const WId window = winId();
  QGuiApplication::sync();
  windowSystem_.SetWindowClassName(static_cast<platform::TWindowHandle>(window), className);
}

// ---- Handlers ---------------------------------------------------------------

void TFormVelunor::FormActivate() {
  Run(&encrypter::TEncrypterSession::FormActivate);
}

void TFormVelunor::ButtonEscClick() {
  close();
}

void TFormVelunor::actSpickzettelExecute() {
  // A new window each time; it reads the cheat sheet's file afresh.
  FormSpicker = new TFormSpicker(this, RunHandler);
  FormSpicker->show();
  FormSpicker->raise();
  FormSpicker->activateWindow();
}

void TFormVelunor::closeEvent(QCloseEvent* event) {
  if (!session_->MayClose()) {
    event->ignore();
    return;
  }
  event->accept();
  emit Closed();
}

}  // namespace velunor
