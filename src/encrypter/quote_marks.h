#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velunor::encrypter {

// Cipher text quoted in a reply ("> " before every line) or indented. The
// base 64 reader skips blanks and line breaks but refuses ">", so the quote
// marks at the start of each line, with the blanks among them, are taken
// out before a cipher text is read. A ">" elsewhere stays and is refused.
//
// The skipper works on a text in pieces of any size: it remembers whether
// the next byte starts a line.
class TQuoteMarkSkipper {
 public:
  // Calls `keep(data, size)` for each run of bytes that is not a quote mark.
  template <class Keep>
  void Feed(const std::uint8_t* data, std::size_t size, Keep&& keep) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::uint8_t byte = data[i];
      if (byte == '\r' || byte == '\n') {
        atLineStart_ = true;
      } else if (atLineStart_ && (byte == '>' || byte == ' ' || byte == '\t')) {
        if (i > start) keep(data + start, i - start);
        start = i + 1;
      } else {
        atLineStart_ = false;
      }
    }
    if (size > start) keep(data + start, size - start);
  }

 private:
  bool atLineStart_ = true;
};

// The whole text without the quote marks at its lines' starts.
std::string WithoutQuoteMarks(std::string_view text);

}  // namespace velunor::encrypter
