#include "app/form_velunor_filter.h"

#include "app/application.h"
#include "encrypter/cipher_text_lines.h"
#include "encrypter/mail_client_rules.h"
#include "encrypter/mail_decryption.h"
#include "encrypter/mail_message.h"
#include "encrypter/text_check.h"
#include "encrypter/text_coding.h"
#include "runtime/codepage1252.h"
#include "runtime/text_lines.h"

namespace velunor {

TFormVelunorFilter::TFormVelunorFilter(platform::TWindowSystem& windowSystem, TFilterText text,
                                       QWidget* parent)
    : TFormVelunor(windowSystem, parent), text_(std::move(text)) {
  windowSystem_.SetWindowClassName(static_cast<platform::TWindowHandle>(winId()),
                                   kFilterWindowClassName);
}

void TFormVelunorFilter::FormActivate() {
  RunHandler(this, [this] {
    LoadText();
    ButtonRule();
    ButtonOK->setEnabled(false);
    EditPassword->setFocus();
  });
}

void TFormVelunorFilter::LoadText() {
  // As in mail-client mode, the output box covers the input box.
  RichEditOut->setGeometry(PanelClient->contentsRect());
  RichEditOut->raise();
  const QString text = QString::fromUtf8(text_.text);
  RichEditIn->setPlainText(text);
  // Before the first coding the output box shows the text to be coded.
  if (!loadedBefore_) RichEditOut->setPlainText(text);
  loadedBefore_ = true;
  // A message's header has spaces: the body decides.
  if (const auto hidden =
          encrypter::CodingButtonToHide(encrypter::TextBodies(text_.text), CtrlDown())) {
    (*hidden == encrypter::TCodingButton::kEncrypt ? ButtonEncrypt : ButtonDecrypt)->hide();
  }
}

void TFormVelunorFilter::ButtonEncryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  CheckInputCodePage();
  const ByteString cipherText =
      encrypter::EncryptWithKeyword(Components.CipherManager1, TextOf(keyword), PlainTextOfInput());
  ShowResult(encrypter::WrapAtColumns(cipherText, text_.wrapColumns, "\n") + "\n", false);
}

void TFormVelunorFilter::ButtonDecryptClick() {
  const TWipedBytes keyword = KeywordBytes();
  TCipherManager& manager = Components.CipherManager1;
  const encrypter::TMailDecryption mail =
      encrypter::DecryptMail(text_.text, [&](const std::string& cipherText) {
        return encrypter::DecryptWithKeyword(manager, TextOf(keyword), cipherText);
      });
  if (mail.blocks > 0) {
    ShowResult(mail.text, mail.doubtful > 0);
    return;
  }
  // No cipher text to be found: the whole text is read as one, and the
  // text format says what it finds wrong.
  CheckInputCodePage();
  const ByteString plain =
      encrypter::DecryptWithKeyword(manager, TextOf(keyword), RichEditIn->Text());
  ShowResult(WithLineBreaks(Cp1252ToUtf8(plain), "\n"), !encrypter::LooksLikeText(plain));
}

void TFormVelunorFilter::ShowResult(std::string result, bool doubtful) {
  result_ = std::move(result);
  RichEditOut->setPlainText(QString::fromUtf8(result_));
  EnterCodingDoneState();
  if (doubtful && !CtrlDown()) ShowWrongKeywordWarning();
}

void TFormVelunorFilter::ButtonOKClick() {
  // "&OK" ends the program: not while a cheat sheet cannot save its text.
  if (!TFormSpicker::SaveOpenSheets(this)) return;
  ProcessPendingMessage();
  text_.deliver(result_);
  emit QuitRequested();
}

}  // namespace velunor
