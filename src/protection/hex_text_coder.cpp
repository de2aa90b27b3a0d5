#include "protection/hex_text_coder.h"

#include <algorithm>
#include <cstring>

#include "protection/hex_kernels.h"
#include "protection/string_format.h"

namespace velunor {

namespace {

// Character kinds of the decoder besides the nibble values 0 to 15.
constexpr std::uint8_t kMarker = 16;
constexpr std::uint8_t kSkip = 17;
constexpr std::uint8_t kInvalid = 18;

// Text is decoded in slices of this many characters, bounding the output buffer.
constexpr std::size_t kSlice = std::size_t{64} * 1024;
// The held-back output and a slice's bytes, in a string that may have grown to twice that.
static_assert(2 * (HexDecoder::kHoldBack + kSlice / 2 + 1) <= HexDecoder::kMemoryBytes);

int NibbleValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

HexEncoder::HexEncoder(std::string_view digits, ByteSink& next) : out_(next) {
  std::copy_n(digits.data(), 16, digits_);
}

void HexEncoder::Write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t n = std::min(size, OutputBuffer::kCapacity / 2);
    ChosenHexKernels().encode(data, n, digits_, out_.Room(2 * n));
    out_.Commit(2 * n);
    data += n;
    size -= n;
  }
}

void HexEncoder::Finish() {
  out_.Finish();
}

HexDecoder::HexDecoder(std::string_view alphabet, std::string formatName, bool checkText,
                       ByteSink& next)
    : formatName_(std::move(formatName)), next_(next) {
  kinds_.fill(checkText ? kInvalid : kSkip);
  for (const char c : alphabet)
    kinds_[static_cast<std::uint8_t>(c)] = kSkip;
  for (unsigned c = 0; c < 256; ++c) {
    const int value = NibbleValue(static_cast<char>(c));
    if (value >= 0) kinds_[c] = static_cast<std::uint8_t>(value);
  }
  for (const char marker : {'X', 'x', '$'})
    kinds_[static_cast<std::uint8_t>(marker)] = kMarker;
}

void HexDecoder::Write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t n = std::min(size, kSlice);
    std::size_t length = out_.size();
    out_.resize(length + n / 2 + 1);
    auto* out = reinterpret_cast<std::uint8_t*>(out_.data());
    const std::uint8_t* kinds = kinds_.data();
    int high = high_;
    std::size_t i = 0;
    while (i < n) {
      // Digits in pairs make bytes; anything else goes one character at a time.
      if (high < 0) {
        const std::size_t pairs = ChosenHexKernels().decode(data + i, (n - i) / 2, out + length);
        i += 2 * pairs;
        length += pairs;
        if (i == n) break;
      }
      const std::uint8_t kind = kinds[data[i++]];
      if (kind < 16) {
        if (high < 0) {
          high = kind;
        } else {
          out[length++] = static_cast<std::uint8_t>(high << 4 | kind);
          high = -1;
        }
      } else if (kind == kMarker && !markerSeen_) {
        Restart();
        high = -1;
        length = 0;
      } else if (kind == kInvalid) {
        RaiseInvalidText(formatName_);
      }
    }
    high_ = high;
    out_.resize(length);
    PassOn();
    data += n;
    size -= n;
  }
}

void HexDecoder::Restart() {
  if (passedOn_) RaiseInvalidText(formatName_);
  markerSeen_ = true;
  high_ = -1;
}

// With the whole rest of the text at hand, the output need not be held back
// when no marker follows.
void HexDecoder::WriteLast(const std::uint8_t* data, std::size_t size) {
  noMarkerAhead_ = std::memchr(data, 'x', size) == nullptr &&
                   std::memchr(data, 'X', size) == nullptr &&
                   std::memchr(data, '$', size) == nullptr;
  Write(data, size);
  Finish();
}

void HexDecoder::PassOn() {
  if (!markerSeen_ && !noMarkerAhead_ && !passedOn_ && out_.size() < kHoldBack) return;
  passedOn_ = passedOn_ || !out_.empty();
  next_.WriteString(out_);
  out_.clear();
}

void HexDecoder::Finish() {
  high_ = -1;  // an unpaired last digit is dropped
  if (!out_.empty()) next_.WriteString(out_);
  out_.clear();
  next_.Finish();
}

}  // namespace velunor
