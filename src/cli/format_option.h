#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::cli {

// A text format given by name (copy, hex, hexl, base64, uu, xx, none,
// default) or by the number of a registered format (or 0, none).
[[nodiscard]] std::optional<std::int32_t> ParseFormatOption(const std::string& text);

// The names accepted by ParseFormatOption, for help texts.
std::string FormatOptionNames();

// The format a number stands for: sfDefault is the default format.
constexpr std::int32_t ResolvedFormat(std::int32_t format) {
  return format == sfDefault ? DefaultFormat : format;
}

}  // namespace velunor::cli
