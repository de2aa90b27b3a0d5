#include "cli/text_input.h"

#include <algorithm>

#include "protection/format_registry.h"

namespace velunor::cli {

ByteString PrepareTextInput(const ByteString& text, std::int32_t format) {
  if (format == sfCopy) return text;
  ByteString prepared = text;
  std::erase_if(prepared, [](char c) { return c == '\n' || c == '\r'; });
  return prepared;
}

}  // namespace velunor::cli
