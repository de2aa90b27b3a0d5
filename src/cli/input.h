#pragma once

#include <iosfwd>
#include <string>

#include "protection/byte_string.h"

namespace velunor::cli {

// All bytes of the named file, or of `in` when the name is empty or "-".
// Raises EFOpenError or EReadError when the file cannot be read.
ByteString ReadInput(const std::string& path, std::istream& in);

// Writes bytes unchanged.
void WriteBytes(std::ostream& out, const ByteString& bytes);

}  // namespace velunor::cli
