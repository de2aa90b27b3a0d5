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
  if (WarnOfWrongKeyword(false, decrypted)) return false;
  return std::all_of(decrypted.begin(), decrypted.end(),
                     [](char c) { return IsTextByte(static_cast<unsigned char>(c)); });
}

}  // namespace velunor::encrypter
