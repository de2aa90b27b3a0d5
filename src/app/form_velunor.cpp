#include "app/form_velunor.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>

#include "app/application.h"
#include "app/hand_off_file.h"
#include "encrypter/coding_profile.h"
#include "encrypter/hand_off.h"
#include "encrypter/keyword_rule.h"
#include "encrypter/mail_client_rules.h"
#include "encrypter/text_coding.h"
#include "platform/window_system.h"
#include "runtime/exceptions.h"
#include "runtime/streams.h"
#include "widgets/codepage_text.h"
#include "widgets/fixed_layout.h"
#include "widgets/glyphs.h"
#include "widgets/message_box.h"

namespace velunor {

namespace {

constexpr int kClientWidth = 536;
constexpr int kClientHeight = 331;

// The mail client's main window.
const char* const kMailClientClassName = "TMainForm";
const char* const kMailClientWindowText = "Corvane Mail";

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

void ShowWrongKeywordBox(QWidget* owner) {
  TMessageBox box(QMessageBox::Warning, TFormVelunor::tr("Vermutlich falsches Schlüsselwort!"),
                  TFormVelunor::tr("Mit einem falschen Schlüsselwort wird die E-Mail unbrauchbar.\n"
                                   "Geben Sie bitte ggfs. ein anderes Schlüsselwort ein!"),
                  QMessageBox::Ok, owner);
  box.exec();
}

QString CodePageFault(const QString& what, const std::u32string& characters) {
  return TFormVelunor::tr(
             "%1 enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: %2. "
             "Bitte ersetzen oder entfernen Sie diese Zeichen.")
      .arg(what, DescribeCharacters(characters));
}

}  // namespace

TFormVelunor::TFormVelunor(platform::TWindowSystem& windowSystem, QWidget* parent)
    : TGradientForm(parent), windowSystem_(windowSystem) {
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
  ApplyWindowClassName();
  FormCreate();
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
  ButtonEncrypt->setEnabled(false);
  ButtonDecrypt->setEnabled(false);
  ButtonOK->setEnabled(false);
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

void TFormVelunor::Run(void (TFormVelunor::*handler)()) {
  RunHandler(this, [this, handler] { (this->*handler)(); });
}

void TFormVelunor::ConnectHandlers() {
  connect(EditPassword, &QLineEdit::textChanged, this,
          [this] { Run(&TFormVelunor::EditPasswordChange); });
  connect(ButtonEncrypt, &QPushButton::clicked, this,
          [this] { Run(&TFormVelunor::ButtonEncryptClick); });
  connect(ButtonDecrypt, &QPushButton::clicked, this,
          [this] { Run(&TFormVelunor::ButtonDecryptClick); });
  connect(ButtonOK, &QPushButton::clicked, this, [this] { Run(&TFormVelunor::ButtonOKClick); });
  connect(ButtonEsc, &QPushButton::clicked, this, [this] { Run(&TFormVelunor::ButtonEscClick); });
  connect(actPaste, &QAction::triggered, this,
          [this] { Run(&TFormVelunor::ButtonPasteFromClipboardClick); });
  connect(actSpickzettel, &QAction::triggered, this,
          [this] { Run(&TFormVelunor::actSpickzettelExecute); });
  // Both boxes send the focus back to the keyword box.
  for (TRichTextBox* box : {RichEditIn, RichEditOut}) {
    connect(box, &TRichTextBox::MouseDown, this,
            [this] { Run(&TFormVelunor::RichEditInMouseDown); });
    connect(box, &TRichTextBox::MouseUp, this, [this] { Run(&TFormVelunor::RichEditInMouseUp); });
    connect(box, &TRichTextBox::KeyDown, this, [this] { Run(&TFormVelunor::RichEditInKeyDown); });
    connect(box, &TRichTextBox::KeyUp, this, [this] { Run(&TFormVelunor::RichEditInKeyUp); });
  }
  // Clicks in the keyword box and double-clicks on its label.
  EditPassword->installEventFilter(this);
  Label1->installEventFilter(this);
}

bool TFormVelunor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditPassword && event->type() == QEvent::MouseButtonRelease) {
    Run(&TFormVelunor::EditPasswordClick);
  } else if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
    actSpickzettel->trigger();
  }
  return TGradientForm::eventFilter(watched, event);
}

void TFormVelunor::ApplyWindowClassName() {
  // The toolkit names the class of a new window itself; its requests must
  // reach the window system before the name is replaced.
  const WId window = winId();
  QGuiApplication::sync();
  windowSystem_.SetWindowClassName(static_cast<platform::TWindowHandle>(window),
                                   kMainWindowClassName);
}

// ---- Handlers ---------------------------------------------------------------

void TFormVelunor::FormCreate() {
  encrypter::SelectProfileAlgorithms(Components.HashManager1, Components.CipherManager1);
}

void TFormVelunor::FormActivate() {
  // In stand-alone use an activation only moves the focus. A failed load of
  // the hand-off file ends it before the focus moves.
  RunHandler(this, [this] {
    if (FindMailClient() != 0) ActivateInMailClientMode();
    EditPassword->setFocus();
  });
}

platform::TWindowHandle TFormVelunor::FindMailClient() const {
  return windowSystem_.FindTopLevelWindow(kMailClientClassName, kMailClientWindowText);
}

bool TFormVelunor::HandOffFileExists() const {
  return !handOffFile_.empty() && FileExists(handOffFile_);
}

void TFormVelunor::ActivateInMailClientMode() {
  mailClientMode_ = true;
  // Above the other controls of the panel, the output box covers the input
  // box, the paste button and the labels.
  RichEditOut->setGeometry(PanelClient->contentsRect());
  RichEditOut->raise();
  if (HandOffFileExists()) {
    RichEditIn->Lines().LoadTextFile(handOffFile_);
    HideOneCodingButton();
  }
  ButtonRule();
  ButtonOK->setEnabled(false);
}

void TFormVelunor::HideOneCodingButton() {
  // A hidden button stays hidden for the run.
  const bool ctrlDown = windowSystem_.IsKeyDown(platform::TKey::kControl);
  if (const auto hidden = encrypter::CodingButtonToHide(RichEditIn->Text(), ctrlDown)) {
    (*hidden == encrypter::TCodingButton::kEncrypt ? ButtonEncrypt : ButtonDecrypt)->hide();
  }
}

void TFormVelunor::EditPasswordChange() {
  ButtonRule();
}

void TFormVelunor::EditPasswordClick() {
  EditPassword->setFocus();
}

void TFormVelunor::ButtonRule() {
  const bool enabled = encrypter::CodingAllowed(
      static_cast<std::size_t>(EditPassword->text().toUcs4().size()), !RichEditIn->Text().empty());
  ButtonEncrypt->setEnabled(enabled);
  ButtonDecrypt->setEnabled(enabled);
}

void TFormVelunor::ButtonPasteFromClipboardClick() {
  RichEditIn->SelectWholeText();
  RichEditIn->PasteClipboardText();
  RichEditOut->ClearText();
  outputIsDecrypted_ = false;
  ButtonRule();
  ButtonOK->setEnabled(false);
  // The mouse pointer stays visible while typing here, so unlike on Windows
  // nothing has to bring it back around the focus change.
  EditPassword->setFocus();
}

TWipedBytes TFormVelunor::KeywordBytes() const {
  // The copies of the keyword's characters are zeroed once they are read.
  QList<uint> codes = EditPassword->text().toUcs4();
  std::u32string characters(codes.begin(), codes.end());
  SecureFill(codes.data(), 0, static_cast<std::size_t>(codes.size()) * sizeof(uint));
  encrypter::TKeywordBytes keyword = encrypter::KeywordFromCharacters(characters);
  SecureFill(characters.data(), 0, characters.size() * sizeof(char32_t));
  if (!keyword.unrepresentable.empty()) {
    throw Exception(CodePageFault(tr("Das Schlüsselwort"), keyword.unrepresentable).toStdString());
  }
  return std::move(keyword.bytes);
}

void TFormVelunor::CheckInputCodePage() const {
  const std::u32string outside = RichEditIn->CharactersOutsideCodePage();
  if (!outside.empty()) {
    throw Exception(CodePageFault(tr("Der Text"), outside).toStdString());
  }
}

ByteString TFormVelunor::PlainTextOfInput() const {
  return encrypter::PlainTextOfLines(RichEditIn->Lines().ToVector());
}

void TFormVelunor::ShowCodingDone(const ByteString& result) {
  RichEditOut->SetText(result);
  EnterCodingDoneState();
}

void TFormVelunor::EnterCodingDoneState() {
  ButtonEncrypt->setEnabled(false);
  ButtonDecrypt->setEnabled(false);
  RichEditIn->SetReadOnly(true);
  RichEditOut->SetReadOnly(true);
  ButtonOK->setEnabled(true);
  // The next step; the pressed button, now disabled, would hand the focus
  // on to "Abbrechen".
  ButtonOK->setFocus();
}

void TFormVelunor::ButtonEncryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  CheckInputCodePage();
  ShowCodingDone(encrypter::EncryptWithKeyword(Components.CipherManager1, TextOf(keyword),
                                               PlainTextOfInput()));
  outputIsDecrypted_ = false;
}

void TFormVelunor::ButtonDecryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  CheckInputCodePage();
  ShowCodingDone(encrypter::DecryptWithKeyword(Components.CipherManager1, TextOf(keyword),
                                               RichEditIn->Text()));
  outputIsDecrypted_ = true;
  WarnWhenTheKeywordLooksWrong();
}

void TFormVelunor::WarnWhenTheKeywordLooksWrong() {
  if (!mailClientMode_) return;
  // The output box's text: it ends before a zero byte of the result.
  if (!encrypter::WarnOfWrongKeyword(CtrlDown(), RichEditOut->Text())) return;
  ShowWrongKeywordWarning();
}

void TFormVelunor::ShowWrongKeywordWarning() {
  ShowWrongKeywordBox(this);
  // Back to the keyword, ready to be replaced. A window manager may hand
  // the focus to another window when the box closes, and the window's own
  // focus would go back to "&OK".
  activateWindow();
  EditPassword->setFocus();
  EditPassword->selectAll();
}

void TFormVelunor::CopyResultToClipboard() {
  RichEditOut->SelectWholeText();
  RichEditOut->CopySelectedText(outputIsDecrypted_ ? TClipboardMark::kSensitive
                                                   : TClipboardMark::kNone);
}

void TFormVelunor::ButtonOKClick() {
  // "&OK" ends the program: not while a cheat sheet cannot save its text.
  if (!TFormSpicker::SaveOpenSheets(this)) return;
  ProcessPendingMessage();
  if (mailClientMode_) {
    HandOffToMailClient();
  } else {
    CopyResultToClipboard();
  }
  emit QuitRequested();
}

class TFormVelunor::THandOffToMailClient final : public encrypter::THandOffSteps {
 public:
  explicit THandOffToMailClient(TFormVelunor& form) : form_(form) {}

  bool FindMailClient() override {
    mailClient_ = form_.FindMailClient();
    return mailClient_ != 0;
  }
  bool HandOffFileExists() override { return form_.HandOffFileExists(); }
  // A failure raises here: the letter stays as it was, nothing is posted,
  // the result goes to the clipboard and the program goes on.
  void SaveResult() override {
    SaveHandOffFile(*form_.RichEditOut, form_.handOffFile_,
                    [this] { form_.CopyResultToClipboard(); });
  }
  bool NotifyMailClient() override {
    return form_.windowSystem_.PostSystemCommand(mailClient_, platform::kHandOffCommand, 0);
  }
  void CopyResultToClipboard() override { form_.CopyResultToClipboard(); }

 private:
  TFormVelunor& form_;
  platform::TWindowHandle mailClient_ = 0;
};

void TFormVelunor::HandOffToMailClient() {
  ProcessPendingMessage();
  THandOffToMailClient steps(*this);
  encrypter::HandOffResult(steps);
}

void TFormVelunor::ButtonEscClick() {
  close();
}

void TFormVelunor::RichEditInMouseDown() {
  EditPassword->setFocus();
}

void TFormVelunor::RichEditInMouseUp() {
  EditPassword->setFocus();
}

void TFormVelunor::RichEditInKeyDown() {
  EditPassword->setFocus();
}

void TFormVelunor::RichEditInKeyUp() {
  EditPassword->setFocus();
}

void TFormVelunor::actSpickzettelExecute() {
  // A new window each time; it reads the cheat sheet's file afresh.
  FormSpicker = new TFormSpicker(this, RunHandler);
  FormSpicker->show();
  FormSpicker->raise();
  FormSpicker->activateWindow();
}

void TFormVelunor::closeEvent(QCloseEvent* event) {
  // Closing the window ends the program: not while a cheat sheet cannot
  // save its text, which would be lost.
  if (!TFormSpicker::SaveOpenSheets(this)) {
    event->ignore();
    return;
  }
  event->accept();
  emit Closed();
}

}  // namespace velunor
