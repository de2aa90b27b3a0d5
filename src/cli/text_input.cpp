#include "cli/text_input.h"

#include "cli/format_option.h"

#include <algorithm>
#include <cstring>

#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::cli {

namespace {

// The first `byte` in [from, end), or end.
const std::uint8_t* FindByte(const std::uint8_t* from, const std::uint8_t* end, std::uint8_t byte) {
  const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
  return found != nullptr ? static_cast<const std::uint8_t*>(found) : end;
}

}  // namespace

TextInputSink::TextInputSink(std::int32_t format, ByteSink& next)
    : keepsLineBreaks_(format == sfCopy),
      skipsQuoteMarks_(ResolvedFormat(format) == sfBase64),
      next_(next) {}

void TextInputSink::Write(const std::uint8_t* data, std::size_t size) {
  if (keepsLineBreaks_) {
    next_.Write(data, size);
  } else if (skipsQuoteMarks_) {
    quoteMarks_.Feed(data, size, [this](const std::uint8_t* kept, std::size_t length) {
      WriteWithoutLineBreaks(kept, length);
    });
  } else {
    WriteWithoutLineBreaks(data, size);
  }
}

void TextInputSink::WriteWithoutLineBreaks(const std::uint8_t* data, std::size_t size) {
  // Passes on each run of bytes between line breaks. The next CR and the
  // next LF are looked for with memchr, each only once it has been passed,
  // so a text without breaks is scanned at memchr's speed.
  const std::uint8_t* const end = data + size;
  const std::uint8_t* cr = FindByte(data, end, '\r');
  const std::uint8_t* lf = FindByte(data, end, '\n');
  for (const std::uint8_t* start = data;;) {
    const std::uint8_t* lineBreak = std::min(cr, lf);
    if (lineBreak > start) next_.Write(start, static_cast<std::size_t>(lineBreak - start));
    if (lineBreak == end) return;
    start = lineBreak + 1;
    if (cr < start) cr = FindByte(start, end, '\r');
    if (lf < start) lf = FindByte(start, end, '\n');
  }
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
