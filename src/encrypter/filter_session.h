#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "encrypter/cipher_text_lines.h"
#include "encrypter/encrypter_session.h"

namespace velunor::encrypter {

// The text a filter or an external editor hands the window, and where the
// result goes: standard output, or the file that was edited.
struct TFilterText {
  std::string text;  // UTF-8, as mail programs hand it over
  std::size_t wrapColumns = kMailWrapColumns;
  // Takes the result; raises when it cannot.
  std::function<void(const std::string& result)> deliver;
};

// The encrypter window as a mail program's filter or external editor: the
// mail-client mode's rules without the mail client's window. The text is
// loaded at each activation; only the fitting coding button is shown (a
// mail body with a space is to be encrypted, one without to be decrypted;
// Ctrl held keeps both); a cipher text comes out broken at the wrap
// columns; a decryption takes every cipher text of the mail in its place
// (mail_decryption.h) and warns of a wrong keyword. "&OK" hands the result
// over and ends the program; the clipboard is never touched.
class TFilterSession final : public TEncrypterSession {
 public:
  TFilterSession(TEncrypterFrontEnd& frontEnd, TFormVelunorComponents& components,
                 TFilterText text);

  void FormActivate() override;
  void ButtonEncryptClick() override;
  void ButtonDecryptClick() override;
  void ButtonOKClick() override;

 private:
  void LoadText();
  void ShowResult(std::string result, bool decrypted, bool doubtful);

  TFilterText text_;
  bool loadedBefore_ = false;
  std::string result_;
};

}  // namespace velunor::encrypter
