#include "cli/format_option.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>
#include <utility>

#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::cli {

namespace {

// The names of the two numbers that stand for no registered format.
constexpr std::pair<const char*, std::int32_t> kOtherNames[] = {{"none", sfNone},
                                                                {"default", sfDefault}};

// Each registered format by its option name, then none and default.
template <typename OnName>
void ForEachFormatName(OnName&& onName) {
  for (const TStringFormat* format : RegisteredFormats()) {
    if (!format->OptionName().empty()) onName(format->OptionName(), format->FormatNumber());
  }
  for (const auto& [name, number] : kOtherNames)
    onName(name, number);
}

}  // namespace

std::optional<std::int32_t> ParseFormatOption(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::optional<std::int32_t> named;
  ForEachFormatName([&](std::string_view name, std::int32_t number) {
    if (!named && lower == name) named = number;
  });
  if (named) return named;
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  const bool isNumber = error == std::errc() && end == text.data() + text.size() && !text.empty();
  if (isNumber && (number == sfNone || FindFormat(number) != nullptr)) return number;
  return std::nullopt;
}

std::string FormatOptionNames() {
  std::string names;
  ForEachFormatName([&names](std::string_view name, std::int32_t) {
    if (!names.empty()) names += ", ";
    names += name;
  });
  return names + " or a format number";
}

}  // namespace velunor::cli
