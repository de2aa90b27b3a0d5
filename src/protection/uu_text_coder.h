#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "protection/byte_sink.h"
#include "protection/output_buffer.h"

namespace velunor {

// Lines of uuencode (or xxencode, by its digits) without breaks between
// them: each line of up to 45 bytes is its length digit followed by groups
// of four digits, the last group filled with zero digits.
class UUEncoder final : public ByteSink {
 public:
  static constexpr std::size_t kLineBytes = 45;

  // `digits`: the 64 digits in value order.
  UUEncoder(std::string_view digits, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  void WriteLine(const std::uint8_t* data, std::size_t size);

  std::array<std::uint8_t, 64> digits_{};
  OutputBuffer out_;
  std::uint8_t line_[kLineBytes] = {};
  std::size_t carried_ = 0;
};

// Reads such lines: a length digit, then as many groups of four digits as
// the length needs, skipping any other character inside the groups; digits
// missing at the end of the text count as zero. With `checkText` the text is
// also held to the format's acceptance rule (only the format's characters,
// and a count of digits per line that makes the lines end with the text).
// It holds nothing back: its memory is its output buffer
// (OutputBuffer::kCapacity), its time linear in the text.
class UUDecoder final : public ByteSink {
 public:
  // `alphabet`: the 64 digits in value order, then the extra characters.
  UUDecoder(std::string_view alphabet, std::string formatName, bool checkText, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  bool TakeWholeLine(const std::uint8_t* text);
  void Check(std::uint8_t c);
  void Parse(std::uint8_t c);
  void EmitGroup(std::uint32_t value);

  std::array<std::int8_t, 256> digitValues_{};  // value among the 64 digits, or -1
  std::array<std::int8_t, 256> positions_{};    // position in the whole alphabet, or -1
  std::string formatName_;
  bool checkText_;
  OutputBuffer out_;
  int lineLeft_ = 0;  // bytes the current line still gives; 0: a length digit is next
  std::uint32_t group_ = 0;
  int groupDigits_ = 0;
  int expected_ = 0;  // digits the acceptance rule still expects on the line
};

}  // namespace velunor
