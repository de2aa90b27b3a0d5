#include "encrypter/filter_session.h"

#include "encrypter/mail_client_rules.h"
#include "encrypter/mail_decryption.h"
#include "encrypter/mail_message.h"
#include "encrypter/text_check.h"
#include "encrypter/text_coding.h"
#include "runtime/codepage1252.h"
#include "runtime/text_lines.h"

namespace velunor::encrypter {

TFilterSession::TFilterSession(TEncrypterFrontEnd& frontEnd, TFormVelunorComponents& components,
                               TFilterText text)
    : TEncrypterSession(frontEnd, components), text_(std::move(text)) {}

void TFilterSession::FormActivate() {
  LoadText();
  ButtonRule();
  controls_.okEnabled = false;
  Show();
  frontEnd_.MoveFocus(TFocus::kKeyword);
}

void TFilterSession::LoadText() {
  // As in mail-client mode, the output box covers the input box.
  controls_.outputFillsPanel = true;
  Show();
  frontEnd_.SetInputUtf8Text(text_.text);
  // Before the first coding the output box shows the text to be coded.
  if (!loadedBefore_) frontEnd_.SetOutputUtf8Text(text_.text);
  loadedBefore_ = true;
  // A message's header has spaces: the body decides.
  HideCodingButton(CodingButtonToHide(TextBodies(text_.text), frontEnd_.CtrlDown()));
}

void TFilterSession::ButtonEncryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  CheckInputCodePage();
  const ByteString cipherText =
      EncryptWithKeyword(components_.CipherManager1, TextOf(keyword), PlainTextOfInput());
  ShowResult(WrapAtColumns(cipherText, text_.wrapColumns, "\n") + "\n", false, false);
}

void TFilterSession::ButtonDecryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  TCipherManager& manager = components_.CipherManager1;
  const TMailDecryption mail = DecryptMail(text_.text, [&](const std::string& cipherText) {
    return DecryptWithKeyword(manager, TextOf(keyword), cipherText);
  });
  if (mail.blocks > 0) {
    ShowResult(mail.text, true, mail.doubtful > 0);
    return;
  }
  // No cipher text to be found: the whole text is read as one, and the
  // text format says what it finds wrong.
  CheckInputCodePage();
  const ByteString plain = DecryptWithKeyword(manager, TextOf(keyword), frontEnd_.InputText());
  ShowResult(WithLineBreaks(Cp1252ToUtf8(plain), "\n"), true, !LooksLikeText(plain));
}

void TFilterSession::ShowResult(std::string result, bool decrypted, bool doubtful) {
  result_ = std::move(result);
  frontEnd_.SetOutputUtf8Text(result_);
  EnterCodingDoneState(decrypted);
  if (doubtful && !frontEnd_.CtrlDown()) ShowWrongKeywordWarning();
}

void TFilterSession::ButtonOKClick() {
  // "&OK" ends the program: not while a cheat sheet cannot save its text.
  if (!frontEnd_.SaveOpenCheatSheets()) return;
  frontEnd_.ProcessPendingMessage();
  text_.deliver(result_);
  frontEnd_.Quit();
}

}  // namespace velunor::encrypter
