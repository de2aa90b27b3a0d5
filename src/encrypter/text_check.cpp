#include "encrypter/text_check.h"

#include <algorithm>

#include "encrypter/mail_client_rules.h"

namespace velunor::encrypter {

namespace {

bool IsTextByte(unsigned char byte) {
  switch (byte) {
    case '\t':
    case '\r':
    case '\n':
      return true;
    case 0x7F:
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D:
      return false;
    default:
      return byte >= 0x20;
  }
}

}  // namespace

bool LooksLikeText(std::string_view decrypted) {
  // An empty cipher text decrypts to nothing, whatever the keyword.
  if (decrypted.empty()) return true;
  if (!std::all_of(decrypted.begin(), decrypted.end(),
                   [](char c) { return IsTextByte(static_cast<unsigned char>(c)); }))
    return false;
  // The window ends every line it encrypts with CR LF, so a short text
  // without a space ("Ja", a single word) still ends that way; a wrong
  // keyword ends so by chance once in 65536.
  return !WarnOfWrongKeyword(false, decrypted) || decrypted.ends_with("\r\n");
}

}  // namespace velunor::encrypter
