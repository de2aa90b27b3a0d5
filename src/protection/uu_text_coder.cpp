#include "protection/uu_text_coder.h"

#include <algorithm>

#include "protection/string_format.h"

namespace velunor {

namespace {

constexpr int kMaxLineBytes = static_cast<int>(UUEncoder::kLineBytes);
// A whole line: the length digit and 15 groups.
constexpr std::size_t kWholeLineChars = 1 + 60;

}  // namespace

UUEncoder::UUEncoder(std::string_view digits, ByteSink& next) : out_(next) {
  for (std::size_t i = 0; i < 64; ++i)
    digits_[i] = static_cast<std::uint8_t>(digits[i]);
}

void UUEncoder::Write(const std::uint8_t* data, std::size_t size) {
  if (carried_ > 0) {
    const std::size_t n = std::min(size, kLineBytes - carried_);
    std::copy_n(data, n, line_ + carried_);
    carried_ += n;
    data += n;
    size -= n;
    if (carried_ < kLineBytes) return;
    WriteLine(line_, kLineBytes);
    carried_ = 0;
  }
  for (; size >= kLineBytes; data += kLineBytes, size -= kLineBytes)
    WriteLine(data, kLineBytes);
  std::copy_n(data, size, line_);
  carried_ = size;
}

void UUEncoder::Finish() {
  if (carried_ > 0) WriteLine(line_, carried_);
  carried_ = 0;
  out_.Finish();
}

void UUEncoder::WriteLine(const std::uint8_t* data, std::size_t size) {
  std::uint8_t* text = out_.Room(1 + (size + 2) / 3 * 4);
  *text++ = digits_[size];
  for (std::size_t i = 0; i < size; i += 3) {
    std::uint32_t value = static_cast<std::uint32_t>(data[i]) << 16;
    if (i + 1 < size) value |= static_cast<std::uint32_t>(data[i + 1]) << 8;
    if (i + 2 < size) value |= data[i + 2];
    text[0] = digits_[value >> 18];
    text[1] = digits_[(value >> 12) & 63];
    text[2] = digits_[(value >> 6) & 63];
    text[3] = digits_[value & 63];
    text += 4;
  }
  out_.Commit(1 + (size + 2) / 3 * 4);
}

UUDecoder::UUDecoder(std::string_view alphabet, std::string formatName, bool checkText,
                     ByteSink& next)
    : formatName_(std::move(formatName)), checkText_(checkText), out_(next) {
  digitValues_.fill(-1);
  positions_.fill(-1);
  for (std::size_t i = alphabet.size(); i-- > 0;) {
    const auto c = static_cast<std::uint8_t>(alphabet[i]);
    positions_[c] = static_cast<std::int8_t>(i);
    if (i < 64) digitValues_[c] = static_cast<std::int8_t>(i);
  }
}

void UUDecoder::Write(const std::uint8_t* data, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    if (lineLeft_ == 0 && expected_ == 0 && size - i >= kWholeLineChars &&
        TakeWholeLine(data + i)) {
      i += kWholeLineChars;
      continue;
    }
    if (checkText_) Check(data[i]);
    Parse(data[i]);
    ++i;
  }
}

// A line of 45 bytes with nothing but digits: the common case, taken whole.
// Both the reading and the acceptance rule end it where it ends.
bool UUDecoder::TakeWholeLine(const std::uint8_t* text) {
  if (digitValues_[text[0]] != kMaxLineBytes) return false;
  // The bytes are written first and kept only if every character was a digit.
  std::uint8_t* out = out_.Room(UUEncoder::kLineBytes + 1);
  std::int32_t invalid = 0;
  for (std::size_t i = 1; i < kWholeLineChars; i += 4, out += 3) {
    const std::int32_t a = digitValues_[text[i]];
    const std::int32_t b = digitValues_[text[i + 1]];
    const std::int32_t c = digitValues_[text[i + 2]];
    const std::int32_t d = digitValues_[text[i + 3]];
    invalid |= a | b | c | d;
    const std::uint32_t value = static_cast<std::uint32_t>(a) << 18 |
                                static_cast<std::uint32_t>(b) << 12 |
                                static_cast<std::uint32_t>(c) << 6 | static_cast<std::uint32_t>(d);
    out[0] = static_cast<std::uint8_t>(value >> 16);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value);
  }
  if (invalid < 0) return false;
  out_.Commit(UUEncoder::kLineBytes);
  return true;
}

// The acceptance rule: a length digit announces (4 n + 2) / 3 digits; other
// accepted characters between them do not count.
void UUDecoder::Check(std::uint8_t c) {
  const int position = positions_[c];
  if (position < 0) RaiseInvalidText(formatName_);
  if (expected_ == 0) {
    if (position > kMaxLineBytes) RaiseInvalidText(formatName_);
    expected_ = (4 * position + 2) / 3;
  } else if (position < 64) {
    --expected_;
  }
}

void UUDecoder::Parse(std::uint8_t c) {
  const int value = digitValues_[c];
  if (lineLeft_ == 0) {
    if (value < 0 || value > kMaxLineBytes) RaiseInvalidText(formatName_);
    lineLeft_ = value;
    return;
  }
  if (value < 0) return;
  group_ = group_ << 6 | static_cast<std::uint32_t>(value);
  if (++groupDigits_ == 4) EmitGroup(group_);
}

void UUDecoder::EmitGroup(std::uint32_t value) {
  const int n = std::min(lineLeft_, 3);
  const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(value >> 16),
                                 static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value)};
  std::copy_n(bytes, n, out_.Room(3));
  out_.Commit(static_cast<std::size_t>(n));
  lineLeft_ -= n;
  group_ = 0;
  groupDigits_ = 0;
}

void UUDecoder::Finish() {
  if (checkText_ && expected_ != 0) RaiseInvalidText(formatName_);
  // Digits missing at the end of the text count as zero.
  while (lineLeft_ > 0)
    EmitGroup(group_ << (6 * (4 - groupDigits_)));
  out_.Finish();
}

}  // namespace velunor
