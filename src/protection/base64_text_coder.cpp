#include "protection/base64_text_coder.h"

#include <algorithm>

#include "protection/base64_kernels.h"
#include "protection/string_format.h"

namespace velunor {

namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Character kinds of the decoder besides the digit values 0 to 63.
constexpr std::uint8_t kPad = 64;
constexpr std::uint8_t kSkip = 65;
constexpr std::uint8_t kInvalid = 66;

// Text is decoded in slices of this many characters, bounding the held bytes.
constexpr std::size_t kSlice = std::size_t{64} * 1024;

}  // namespace

void Base64Encoder::Write(const std::uint8_t* data, std::size_t size) {
  if (carried_ > 0) {
    while (carried_ < 3 && size > 0) {
      carry_[carried_++] = *data++;
      --size;
    }
    if (carried_ < 3) return;
    EncodeBase64Groups(carry_, 1, out_.Room(4));
    out_.Commit(4);
    carried_ = 0;
  }
  std::size_t groups = size / 3;
  while (groups > 0) {
    const std::size_t n = std::min(groups, OutputBuffer::kCapacity / 4);
    EncodeBase64Groups(data, n, out_.Room(4 * n));
    out_.Commit(4 * n);
    data += 3 * n;
    size -= 3 * n;
    groups -= n;
  }
  for (; size > 0; --size)
    carry_[carried_++] = *data++;
}

void Base64Encoder::Finish() {
  if (carried_ > 0) {
    std::uint32_t value = static_cast<std::uint32_t>(carry_[0]) << 16;
    if (carried_ == 2) value |= static_cast<std::uint32_t>(carry_[1]) << 8;
    std::uint8_t* text = out_.Room(4);
    text[0] = static_cast<std::uint8_t>(kDigits[value >> 18]);
    text[1] = static_cast<std::uint8_t>(kDigits[(value >> 12) & 63]);
    text[2] = carried_ == 2 ? static_cast<std::uint8_t>(kDigits[(value >> 6) & 63]) : '=';
    text[3] = '=';
    out_.Commit(4);
    carried_ = 0;
  }
  out_.Finish();
}

Base64Decoder::Base64Decoder(std::string_view alphabet, std::string formatName, bool checkText,
                             ByteSink& next)
    : formatName_(std::move(formatName)), next_(next) {
  kinds_.fill(checkText ? kInvalid : kSkip);
  for (const char c : alphabet)
    kinds_[static_cast<std::uint8_t>(c)] = kSkip;
  for (std::uint8_t value = 0; value < 64; ++value)
    kinds_[static_cast<std::uint8_t>(kDigits[value])] = value;
  kinds_['='] = kPad;
}

void Base64Decoder::Write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t n = std::min(size, kSlice);
    held_.resize(held_.size() + n / 4 * 3 + 3 + 32);
    DecodeSlice(data, n);
    held_.resize(3 * (groups_ - passed_));
    SettleGroups(groups_ + (quadDigits_ > 0 ? 1 : 0));
    data += n;
    size -= n;
  }
}

std::size_t Base64Decoder::DecodeSlice(const std::uint8_t* text, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    if (quadDigits_ == 0) {
      auto* out = reinterpret_cast<std::uint8_t*>(held_.data()) + 3 * (groups_ - passed_);
      const std::size_t groups = DecodeBase64Groups(text + i, (size - i) / 4, out);
      if (groups > 0) {
        CompleteGroups(groups);
        i += 4 * groups;
        if (i == size) break;
      }
    }
    TakeCharacter(kinds_[text[i++]]);
  }
  return i;
}

// quadDigits_ counts the "=" signs of the group as digits too.
void Base64Decoder::TakeCharacter(std::uint8_t kind) {
  if (kind < 64) {
    quad_ = quad_ << 6 | kind;
  } else if (kind == kPad) {
    quad_ <<= 6;
    ++quadPads_;
  } else if (kind == kInvalid) {
    RaiseInvalidText(formatName_);
  } else {
    return;
  }
  if (++quadDigits_ < 4) return;
  auto* out = reinterpret_cast<std::uint8_t*>(held_.data()) + 3 * (groups_ - passed_);
  out[0] = static_cast<std::uint8_t>(quad_ >> 16);
  out[1] = static_cast<std::uint8_t>(quad_ >> 8);
  out[2] = static_cast<std::uint8_t>(quad_);
  pads_ += static_cast<std::uint64_t>(quadPads_);
  quad_ = 0;
  quadDigits_ = 0;
  quadPads_ = 0;
  CompleteGroups(1);
}

void Base64Decoder::CompleteGroups(std::uint64_t count) {
  if (!padRuns_.empty() && padRuns_.back().pads == pads_) {
    padRuns_.back().count += count;
  } else {
    padRuns_.push_back({pads_, count});
  }
  groups_ += count;
}

// The whole-text rule: with G groups in all and P_g "=" signs up to the end
// of group g, the groups are read up to the first g with 3 (G - g) - P_g <= 3,
// which ends the output at 3 g + 3 (G - g) - P_g bytes. A group is settled
// (cannot be that g) once the groups known so far exceed that bound; a group
// is passed on once the group after it is settled, since the last group can
// take back up to three bytes before it.
void Base64Decoder::SettleGroups(std::uint64_t groupsKnown) {
  while (!padRuns_.empty()) {
    PadRun& run = padRuns_.front();
    const std::uint64_t needed = (run.pads + 6) / 3;  // groups from g to the end ruling g out
    if (groupsKnown < needed) break;
    const std::uint64_t limit = groupsKnown - needed + 1;
    if (limit <= ruledOut_) break;
    const std::uint64_t take = std::min(run.count, limit - ruledOut_);
    ruledOut_ += take;
    run.count -= take;
    if (run.count > 0) break;
    padRuns_.pop_front();
  }
  if (ruledOut_ < passed_ + 2) return;
  const std::uint64_t count = ruledOut_ - 1 - passed_;
  next_.Write(reinterpret_cast<const std::uint8_t*>(held_.data()), 3 * count);
  held_.erase(0, 3 * count);
  passed_ += count;
}

void Base64Decoder::Finish() {
  if (quadDigits_ > 0) {
    held_.resize(3 * (groups_ - passed_) + 3);
    while (quadDigits_ > 0)
      TakeCharacter(kPad);
  }
  if (groups_ > 0) {
    SettleGroups(groups_);
    const std::uint64_t last = ruledOut_;
    const auto length =
        static_cast<std::int64_t>(3 * groups_) - static_cast<std::int64_t>(padRuns_.front().pads);
    const auto end = std::clamp<std::int64_t>(length, 0, static_cast<std::int64_t>(3 * last + 3));
    const std::uint64_t rest = static_cast<std::uint64_t>(end) - 3 * passed_;
    next_.Write(reinterpret_cast<const std::uint8_t*>(held_.data()), rest);
    held_.clear();
  }
  next_.Finish();
}

}  // namespace velunor
