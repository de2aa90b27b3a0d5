#pragma once

// The ways the command line names a text format. Tests loop over these, so a
// format added to the registry is tried with the rest.
#include <cstdint>
#include <string>
#include <vector>

#include "protection/format_registry.h"

namespace velunor::test {

struct NamedFormat {
  std::string name;    // the option name ("hex")
  std::string number;  // the format number as text ("16")
  std::int32_t value;  // the format number
};

// Every registered format in registry order.
inline std::vector<NamedFormat> RegisteredNamedFormats() {
  std::vector<NamedFormat> formats;
  for (const TStringFormat* format : RegisteredFormats()) {
    formats.push_back({std::string(format->OptionName()), std::to_string(format->FormatNumber()),
                       format->FormatNumber()});
  }
  return formats;
}

// The registered formats, then the default format by its name and number.
inline std::vector<NamedFormat> NamedFormatsWithDefault() {
  std::vector<NamedFormat> formats = RegisteredNamedFormats();
  formats.push_back({"default", std::to_string(sfDefault), sfDefault});
  return formats;
}

}  // namespace velunor::test
