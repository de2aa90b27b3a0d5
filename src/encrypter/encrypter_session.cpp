#include "encrypter/encrypter_session.h"

#include "encrypter/code_page_fault.h"
#include "encrypter/coding_profile.h"
#include "encrypter/hand_off.h"
#include "encrypter/hand_off_file.h"
#include "encrypter/keyword_rule.h"
#include "encrypter/mail_client_rules.h"
#include "encrypter/text_coding.h"
#include "runtime/plain_text_file.h"
#include "runtime/streams.h"
#include "runtime/support.h"

namespace velunor::encrypter {

TEncrypterSession::TEncrypterSession(TEncrypterFrontEnd& frontEnd,
                                     TFormVelunorComponents& components)
    : frontEnd_(frontEnd), components_(components) {
  SelectProfileAlgorithms(components_.HashManager1, components_.CipherManager1);
}

void TEncrypterSession::Show() {
  frontEnd_.ShowControls(controls_);
}

// ---- Activation and mail-client mode ---------------------------------------

bool TEncrypterSession::HandOffFileExists() const {
  return !handOffFile_.empty() && FileExists(handOffFile_);
}

void TEncrypterSession::FormActivate() {
  // In stand-alone use an activation only moves the focus. A failed load of
  // the hand-off file ends it before the focus moves.
  if (frontEnd_.FindMailClient()) ActivateInMailClientMode();
  frontEnd_.MoveFocus(TFocus::kKeyword);
}

void TEncrypterSession::ActivateInMailClientMode() {
  mailClientMode_ = true;
  controls_.outputFillsPanel = true;
  Show();
  if (HandOffFileExists()) {
    frontEnd_.SetInputText(LoadPlainTextFile(handOffFile_));
    HideCodingButton(CodingButtonToHide(frontEnd_.InputText(), frontEnd_.CtrlDown()));
  }
  ButtonRule();
  controls_.okEnabled = false;
  Show();
}

void TEncrypterSession::HideCodingButton(std::optional<TCodingButton> button) {
  if (!button) return;
  (*button == TCodingButton::kEncrypt ? controls_.encryptHidden : controls_.decryptHidden) = true;
}

// ---- The button rule and the paste action ----------------------------------

void TEncrypterSession::ButtonRule() {
  const bool enabled = CodingAllowed(frontEnd_.KeywordLength(), !frontEnd_.InputText().empty());
  controls_.encryptEnabled = enabled;
  controls_.decryptEnabled = enabled;
  Show();
}

void TEncrypterSession::EditPasswordChange() {
  ButtonRule();
}

void TEncrypterSession::ButtonPasteFromClipboardClick() {
  frontEnd_.PasteIntoInput();
  frontEnd_.SetOutputText({});
  outputIsDecrypted_ = false;
  ButtonRule();
  controls_.okEnabled = false;
  Show();
  frontEnd_.MoveFocus(TFocus::kKeyword);
}

void TEncrypterSession::ReturnFocusToKeyword() {
  frontEnd_.MoveFocus(TFocus::kKeyword);
}

// ---- Coding -----------------------------------------------------------------

TWipedBytes TEncrypterSession::KeywordBytes() {
  std::u32string characters = frontEnd_.KeywordCharacters();
  TKeywordBytes keyword = KeywordFromCharacters(characters);
  SecureFill(characters.data(), 0, characters.size() * sizeof(char32_t));
  CheckCodePage(TCodePageField::kKeyword, keyword.unrepresentable);
  return std::move(keyword.bytes);
}

void TEncrypterSession::CheckInputCodePage() {
  CheckCodePage(TCodePageField::kText, frontEnd_.InputCharactersOutsideCodePage());
}

ByteString TEncrypterSession::PlainTextOfInput() {
  return PlainTextOfText(frontEnd_.InputText());
}

void TEncrypterSession::ShowCodingDone(std::string_view result, bool decrypted) {
  frontEnd_.SetOutputText(result);
  EnterCodingDoneState(decrypted);
}

void TEncrypterSession::EnterCodingDoneState(bool decrypted) {
  controls_.encryptEnabled = false;
  controls_.decryptEnabled = false;
  controls_.boxesReadOnly = true;
  controls_.okEnabled = true;
  outputIsDecrypted_ = decrypted;
  Show();
  // The next step; the pressed button, now disabled, would hand the focus
  // on to "Abbrechen".
  frontEnd_.MoveFocus(TFocus::kOk);
}

void TEncrypterSession::ButtonEncryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  CheckInputCodePage();
  ShowCodingDone(
      EncryptWithKeyword(components_.CipherManager1, TextOf(keyword), PlainTextOfInput()), false);
}

void TEncrypterSession::ButtonDecryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  CheckInputCodePage();
  ShowCodingDone(
      DecryptWithKeyword(components_.CipherManager1, TextOf(keyword), frontEnd_.InputText()), true);
  WarnWhenTheKeywordLooksWrong();
}

void TEncrypterSession::WarnWhenTheKeywordLooksWrong() {
  if (!mailClientMode_) return;
  // The output box's text: it ends before a zero byte of the result.
  if (WarnOfWrongKeyword(frontEnd_.CtrlDown(), frontEnd_.OutputText())) ShowWrongKeywordWarning();
}

void TEncrypterSession::ShowWrongKeywordWarning() {
  frontEnd_.ShowWrongKeywordWarning();
  // Back to the keyword, ready to be replaced.
  frontEnd_.MoveFocus(TFocus::kKeywordSelected);
}

// ---- The end: "&OK" and closing ---------------------------------------------

void TEncrypterSession::CopyResultToClipboard() {
  frontEnd_.CopyOutputToClipboard(outputIsDecrypted_);
}

void TEncrypterSession::ButtonOKClick() {
  // "&OK" ends the program: not while a cheat sheet cannot save its text.
  if (!frontEnd_.SaveOpenCheatSheets()) return;
  frontEnd_.ProcessPendingMessage();
  if (mailClientMode_) {
    HandOffToMailClient();
  } else {
    CopyResultToClipboard();
  }
  frontEnd_.Quit();
}

void TEncrypterSession::HandOffToMailClient() {
  frontEnd_.ProcessPendingMessage();
  // The hand-off's steps on the front end and the hand-off file.
  class TSteps final : public THandOffSteps {
   public:
    explicit TSteps(TEncrypterSession& session) : session_(session) {}
    bool FindMailClient() override { return session_.frontEnd_.FindMailClient(); }
    bool HandOffFileExists() override { return session_.HandOffFileExists(); }
    // A failure raises here: the letter stays as it was, nothing is posted,
    // the result goes to the clipboard and the program goes on.
    void SaveResult() override {
      SaveHandOffFile(session_.handOffFile_, session_.frontEnd_.OutputText(),
                      [this] { session_.CopyResultToClipboard(); });
    }
    bool NotifyMailClient() override { return session_.frontEnd_.NotifyMailClient(); }
    void CopyResultToClipboard() override { session_.CopyResultToClipboard(); }

   private:
    TEncrypterSession& session_;
  } steps(*this);
  HandOffResult(steps);
}

bool TEncrypterSession::MayClose() {
  // Closing the window ends the program: not while a cheat sheet cannot
  // save its text, which would be lost.
  return frontEnd_.SaveOpenCheatSheets();
}

}  // namespace velunor::encrypter
