#include <cstddef>
#include <cstdint>
#include <string_view>

#include "encrypter/spicker_file.h"
#include "fuzz_file.h"
#include "runtime/text_lines.h"

// A cheat-sheet file of any bytes: the text shown is the file's text up to
// its first zero byte, with the same lines, each break now CR LF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzFile file;
  const velunor::ByteString text = velunor::encrypter::ReadSpickerText(file.Hold(data, size));

  std::string_view stored(reinterpret_cast<const char*>(data), size);
  stored = stored.substr(0, stored.find('\0'));
  if (text.find('\0') != velunor::ByteString::npos) __builtin_trap();
  if (velunor::SplitParagraphs(text) != velunor::SplitParagraphs(stored)) __builtin_trap();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool crWithoutLf = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
    const bool lfWithoutCr = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
    if (crWithoutLf || lfWithoutCr) __builtin_trap();
  }
  return 0;
}
