#pragma once

#include <cstdint>

#include "encrypter/quote_marks.h"
#include "protection/byte_sink.h"
#include "runtime/byte_string.h"

namespace velunor::cli {

// Text in a format as the library's reader takes it. Text that the tool or
// another program wrote comes in lines (LF or CR LF, often a final break);
// UU and XX refuse a line break where a line's length character belongs, so
// the line breaks of every text format are removed. Copied bytes stay as
// they are. Base 64 may come quoted or indented: the quote marks at the
// starts of its lines go too (encrypter/quote_marks.h).
ByteString PrepareTextInput(const ByteString& text, std::int32_t format);

// The same preparation on a stream: passes the text on to `next` without
// its line breaks (or unchanged for the copy format).
class TextInputSink final : public ByteSink {
 public:
  TextInputSink(std::int32_t format, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override { next_.Finish(); }

 private:
  void WriteWithoutLineBreaks(const std::uint8_t* data, std::size_t size);

  bool keepsLineBreaks_;
  bool skipsQuoteMarks_;
  encrypter::TQuoteMarkSkipper quoteMarks_;
  ByteSink& next_;
};

}  // namespace velunor::cli
