#pragma once

#include <string>

#include "runtime/byte_string.h"

namespace velunor {

// A plain 8-bit text file as a text box loads it, the mail client's hand-off
// file among them: the file's bytes up to the first zero byte, every line
// break (CR LF, a lone CR, a lone LF) written as CR LF, so that the text is
// what the box gives back and what saving it writes. Raises EFOpenError
// ("Datei %s kann nicht geöffnet werden") when the file cannot be read.
[[nodiscard]] ByteString LoadPlainTextFile(const std::string& path);

}  // namespace velunor
