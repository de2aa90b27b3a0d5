#include "encrypter/program.h"

namespace velunor::encrypter {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  // UTF-8 continuation bytes lie above "." as the characters they end do.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace velunor::encrypter
