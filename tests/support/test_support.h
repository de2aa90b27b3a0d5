#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/byte_string.h"

namespace velunor::test {

// Bytes from lower- or upper-case hex digits (blanks are skipped).
ByteString FromHex(std::string_view hex);
// Lower-case hex digits of the bytes.
std::string ToHex(std::string_view bytes);

// Full path of a file in tests/data.
std::string DataPath(const std::string& name);

// The non-comment, non-blank lines of a data file, each split at TAB characters.
std::vector<std::vector<std::string>> ReadDataRecords(const std::string& name);

// The message of a vector file's message field: "text", N*"text" (the text
// repeated N times) or hex:BYTES.
ByteString ExpandMessage(const std::string& field);

// A byte string of the given length with a varied, repeatable content.
ByteString PatternBytes(std::size_t length, std::uint32_t seed = 1);

}  // namespace velunor::test
