#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cipher/cipher.h"
#include "runtime/byte_string.h"
#include "runtime/wiped_bytes.h"

namespace velunor::cli {

// CLI11 validators for names the library resolves.
CLI::Validator HashNameValidator();
CLI::Validator CipherNameValidator();
CLI::Validator FormatValidator();
CLI::Validator ModeValidator();

// A mode by short name (cts, cbc, cfb, ofb, ecb, ctsmac, cbcmac, cfbmac),
// stored name (cmCTS ...) or number 0..7.
std::optional<TCipherMode> ParseModeOption(const std::string& text);
// The short mode names in mode order.
const char* ModeOptionName(TCipherMode mode);

// UTF-8 text as code page 1252 bytes; raises velunor::Exception naming the
// characters the code page cannot represent, or for invalid UTF-8.
ByteString ToCodePage1252(const std::string& utf8, const std::string& what);

// Raises velunor::Exception: `what` holds these characters, which code page
// 1252 cannot represent.
[[noreturn]] void RefuseUnrepresentable(const std::string& what, const std::u32string& characters);

// Bytes from hex digits (a key, too, so they are wiped); raises UsageError
// for anything else, without repeating the value.
TWipedBytes ParseHexOption(const std::string& hex, const std::string& what);

}  // namespace velunor::cli
