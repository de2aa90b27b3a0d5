#include "cli/format_option.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::cli {

namespace {

constexpr std::array<std::pair<const char*, std::int32_t>, 8> kFormatNames{{
    {"copy", sfCopy},
    {"hex", sfHex},
    {"hexl", sfHexLower},
    {"base64", sfBase64},
    {"uu", sfUU},
    {"xx", sfXX},
    {"none", sfNone},
    {"default", sfDefault},
}};

}  // namespace

std::optional<std::int32_t> ParseFormatOption(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [name, number] : kFormatNames) {
    if (lower == name) return number;
  }
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  const bool isNumber = error == std::errc() && end == text.data() + text.size() && !text.empty();
  if (isNumber && (number == sfNone || FindFormat(number) != nullptr)) return number;
  return std::nullopt;
}

std::string FormatOptionNames() {
  std::string names;
  for (const auto& [name, number] : kFormatNames) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names + " or a format number";
}

}  // namespace velunor::cli
