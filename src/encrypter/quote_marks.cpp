#include "encrypter/quote_marks.h"

namespace velunor::encrypter {

std::string WithoutQuoteMarks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  TQuoteMarkSkipper skipper;
  skipper.Feed(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
               [&result](const std::uint8_t* data, std::size_t size) {
                 result.append(reinterpret_cast<const char*>(data), size);
               });
  return result;
}

}  // namespace velunor::encrypter
