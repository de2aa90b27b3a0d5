#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velunor::cli {

// A text format given by name (copy, hex, hexl, base64, uu, xx, none,
// default) or by the number of a registered format (or 0, none).
std::optional<std::int32_t> ParseFormatOption(const std::string& text);

// The names accepted by ParseFormatOption, for help texts.
std::string FormatOptionNames();

}  // namespace velunor::cli
