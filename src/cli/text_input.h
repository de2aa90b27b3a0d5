#pragma once

#include <cstdint>

#include "protection/byte_string.h"

namespace velunor::cli {

// Text in a format as the library's reader takes it. Text that the tool or
// another program wrote comes in lines (LF or CR LF, often a final break);
// UU and XX refuse a line break where a line's length character belongs, so
// the line breaks of every text format are removed. Copied bytes stay as
// they are.
ByteString PrepareTextInput(const ByteString& text, std::int32_t format);

}  // namespace velunor::cli
