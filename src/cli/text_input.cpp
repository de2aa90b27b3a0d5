#include "cli/text_input.h"

#include "protection/format_registry.h"

namespace velunor::cli {

TextInputSink::TextInputSink(std::int32_t format, ByteSink& next)
    : keepsLineBreaks_(format == sfCopy), next_(next) {}

void TextInputSink::Write(const std::uint8_t* data, std::size_t size) {
  if (keepsLineBreaks_) {
    next_.Write(data, size);
    return;
  }
  // Passes on each run of bytes between line breaks.
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\n' && data[i] != '\r') continue;
    if (i > start) next_.Write(data + start, i - start);
    start = i + 1;
  }
  if (size > start) next_.Write(data + start, size - start);
}

ByteString PrepareTextInput(const ByteString& text, std::int32_t format) {
  ByteString prepared;
  StringSink result(prepared);
  TextInputSink preparation(format, result);
  preparation.WriteString(text);
  preparation.Finish();
  return prepared;
}

}  // namespace velunor::cli
