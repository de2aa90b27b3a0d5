#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"

namespace velunor {

// Conversions between the Unicode text of widgets and the code page 1252
// bytes of the coding library.

// Every byte is one character; none is lost.
QString TextFromCp1252(std::string_view bytes);

// Characters that code page 1252 lacks become "?" (a lossy step: callers
// that must not lose text check CharactersOutsideCp1252 first).
ByteString TextToCp1252(const QString& text);

// The characters of `text` that code page 1252 lacks, each once, in order.
std::u32string CharactersOutsideCp1252(const QString& text);

}  // namespace velunor
