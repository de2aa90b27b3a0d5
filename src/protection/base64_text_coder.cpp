#include "protection/base64_text_coder.h"

#include <algorithm>

#include "protection/base64_kernels.h"
#include "protection/string_format.h"

namespace velunor {

namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Room for the groups of a slice, a group completed from the slice before,
// and the 32 bytes that the kernels may write beyond their groups.
constexpr std::size_t kSliceBytes = Base64Decoder::kSlice / 4 * 3 + 3 + 32;

// Character kinds of the decoder besides the digit values 0 to 63.
constexpr std::uint8_t kPad = 64;
constexpr std::uint8_t kSkip = 65;
constexpr std::uint8_t kInvalid = 66;

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
    : formatName_(std::move(formatName)), next_(next), out_(next), slice_(kSliceBytes) {
  // The slice's groups, its groups with "=" (a vector grown to twice the
  // most there can be), the output buffer and the held groups.
  static_assert(kSliceBytes + 2 * (kSlice / 4 + 1) * sizeof(PaddedGroup) + OutputBuffer::kCapacity +
                    HeldGroups::kMemoryBytes <=
                kMemoryBytes);
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
    DecodeSlice(data, n);
    SettleGroups(groups_ + (quadDigits_ > 0 ? 1 : 0));
    data += n;
    size -= n;
  }
}

void Base64Decoder::DecodeSlice(const std::uint8_t* text, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    if (quadDigits_ == 0) {
      const std::size_t groups =
          DecodeBase64Groups(text + i, (size - i) / 4, slice_.data() + 3 * sliceGroups_);
      sliceGroups_ += groups;
      groups_ += groups;
      i += 4 * groups;
      if (i == size) break;
    }
    TakeCharacter(kinds_[text[i++]]);
  }
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
  std::uint8_t* out = slice_.data() + 3 * sliceGroups_;
  out[0] = static_cast<std::uint8_t>(quad_ >> 16);
  out[1] = static_cast<std::uint8_t>(quad_ >> 8);
  out[2] = static_cast<std::uint8_t>(quad_);
  if (quadPads_ > 0) {
    padded_.push_back(
        {static_cast<std::uint16_t>(sliceGroups_), static_cast<std::uint8_t>(quadPads_)});
  }
  ++sliceGroups_;
  ++groups_;
  quad_ = 0;
  quadDigits_ = 0;
  quadPads_ = 0;
}

// The whole-text rule: with G groups in all and P_g "=" signs up to the end
// of group g, the groups are read up to the first g with 3 g + P_g >= 3 G,
// which ends the output at 3 G - P_g bytes, within group g or the group
// before it. Since 3 g + P_g grows with g and G only grows as text comes,
// the groups known so far rule out the groups before the first g with
// 3 g + P_g >= 3 G; a group is passed on once the group after it is ruled
// out. The rest wait in held_, then the next slice's groups behind them.
void Base64Decoder::SettleGroups(std::uint64_t groupsKnown) {
  const std::uint64_t limit = 3 * groupsKnown;
  bool settling = true;
  while (settling && !held_.Empty()) {
    GroupRun& run = held_.Front();
    const std::uint64_t n = RuleOut(run.bytes.data(), true, run.pads, run.count, limit);
    if (n < run.count) {
      run.count -= static_cast<std::uint32_t>(n);
      settling = false;
    } else {
      held_.PopFront();
    }
  }
  // The slice in stretches of groups without "=" and single groups with.
  std::size_t at = 0;
  std::size_t next = 0;  // the next of padded_
  while (settling && at < sliceGroups_) {
    const bool padded = next < padded_.size() && padded_[next].index == at;
    const std::size_t end = padded                  ? at + 1
                            : next < padded_.size() ? padded_[next].index
                                                    : sliceGroups_;
    const std::uint8_t pads = padded ? padded_[next].pads : 0;
    at += RuleOut(slice_.data() + 3 * at, false, pads, end - at, limit);
    if (at < end) {
      settling = false;
    } else if (padded) {
      ++next;
    }
  }
  for (; at < sliceGroups_; ++at) {
    const bool padded = next < padded_.size() && padded_[next].index == at;
    held_.Append(slice_.data() + 3 * at, padded ? padded_[next++].pads : 0);
  }
  sliceGroups_ = 0;
  padded_.clear();
}

// Rules out what it can of `count` groups in a row with `pads` "=" signs
// each (all with the same `bytes`, or one after the other), passes on the
// bytes that thereby become certain and returns how many it ruled out.
std::uint64_t Base64Decoder::RuleOut(const std::uint8_t* bytes, bool repeated, std::uint8_t pads,
                                     std::uint64_t count, std::uint64_t limit) {
  // The j-th group reaches 3 g + P_g = reached + j (3 + pads).
  const std::uint64_t reached = 3 * ruledOut_ + ruledOutPads_;
  const std::uint64_t n =
      limit > reached ? std::min(count, (limit - reached - 1) / (3u + pads)) : 0;
  if (n == 0) return 0;
  if (ruledOut_ > 0) Pass(lastRuledOut_.data(), 3);
  if (repeated) {
    for (std::uint64_t i = 1; i < n; ++i)
      Pass(bytes, 3);
  } else {
    Pass(bytes, 3 * static_cast<std::size_t>(n - 1));
  }
  std::copy_n(repeated ? bytes : bytes + 3 * (n - 1), 3, lastRuledOut_.data());
  ruledOut_ += n;
  ruledOutPads_ += n * pads;
  return n;
}

void Base64Decoder::Pass(const std::uint8_t* bytes, std::size_t size) {
  if (size >= OutputBuffer::kCapacity / 2) {
    out_.Flush();
    next_.Write(bytes, size);
    return;
  }
  std::copy_n(bytes, size, out_.Room(size));
  out_.Commit(size);
}

void Base64Decoder::Finish() {
  while (quadDigits_ > 0)
    TakeCharacter(kPad);
  SettleGroups(groups_);
  if (groups_ > 0) {
    // The first group not ruled out is the last that counts (the last group
    // of all always reaches 3 G).
    const GroupRun& last = held_.Front();
    const auto end = static_cast<std::int64_t>(3 * groups_) -
                     static_cast<std::int64_t>(ruledOutPads_ + last.pads);
    const std::uint64_t passed = ruledOut_ > 0 ? 3 * (ruledOut_ - 1) : 0;
    std::array<std::uint8_t, 6> tail{};
    std::size_t size = 0;
    if (ruledOut_ > 0) {
      std::copy_n(lastRuledOut_.data(), 3, tail.data());
      size = 3;
    }
    std::copy_n(last.bytes.data(), 3, tail.data() + size);
    size += 3;
    const auto rest = std::clamp<std::int64_t>(end - static_cast<std::int64_t>(passed), 0,
                                               static_cast<std::int64_t>(size));
    Pass(tail.data(), static_cast<std::size_t>(rest));
  }
  out_.Finish();
}

}  // namespace velunor
