#include "encrypter/mail_client_rules.h"

namespace velunor::encrypter {

std::optional<TCodingButton> CodingButtonToHide(std::string_view loadedText, bool ctrlDown) {
  if (ctrlDown) return std::nullopt;
  return loadedText.find(' ') != std::string_view::npos ? TCodingButton::kDecrypt
                                                        : TCodingButton::kEncrypt;
}

bool WarnOfWrongKeyword(bool ctrlDown, std::string_view decrypted) {
  if (ctrlDown) return false;
  const std::size_t firstSpace = decrypted.find(' ');
  return firstSpace == std::string_view::npos || firstSpace >= kSpaceExpectedWithin;
}

}  // namespace velunor::encrypter
