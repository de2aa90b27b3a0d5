#include "encrypter/cipher_text_lines.h"

#include <algorithm>

namespace velunor::encrypter {

std::string WrapAtColumns(std::string_view text, std::size_t columns, std::string_view lineBreak) {
  if (columns == 0 || text.size() <= columns) return std::string(text);
  std::string wrapped;
  wrapped.reserve(text.size() + (text.size() / columns) * lineBreak.size());
  for (std::size_t start = 0; start < text.size(); start += columns) {
    if (start > 0) wrapped += lineBreak;
    wrapped += text.substr(start, columns);
  }
  return wrapped;
}

bool IsWholeBase64(std::string_view text) {
  return std::count_if(text.begin(), text.end(), IsBase64Character) % 4 == 0;
}

}  // namespace velunor::encrypter
