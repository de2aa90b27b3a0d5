#include "protection/base64_text_coder.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "protection/base64_kernels.h"
#include "protection/string_format.h"

namespace velunor {

namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Room for the groups of a slice of `size` characters, a group completed
// from the slice before and one completed with "=" signs at the end, and the
// 32 bytes that the kernels may write beyond their groups.
constexpr std::size_t SliceBytes(std::size_t size) {
  return size / 4 * 3 + 6 + 32;
}
// Held groups of up to kRecentBytes, a quarter as many bytes passed on
// before them, and a slice behind them.
constexpr std::size_t kRecentBuffer = Base64Decoder::kRecentBytes +
                                      Base64Decoder::kRecentBytes / 4 +
                                      SliceBytes(Base64Decoder::kSlice);

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
    : formatName_(std::move(formatName)), next_(next), out_(next) {
  // recent_, its runs of groups with "=" (a slice may add a run for every
  // group), the output buffer and the held groups beyond recent_.
  static_assert(kRecentBuffer + (kRecentPadRuns + kSlice / 4 + 1) * sizeof(PadRun) +
                    OutputBuffer::kCapacity + HeldGroups::kMemoryBytes <=
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
    MakeRoom(n);
    DecodeSlice(data, n);
    SettleGroups(groups_ + (quadDigits_ > 0 ? 1 : 0));
    data += n;
    size -= n;
  }
}

// Before a slice of `size` characters: when recent_ holds too many groups,
// the oldest move to held_. The held groups move to the start of recent_
// once a quarter as many bytes have been passed on before them: each byte
// passed on costs at most four moved, recent_ stays within kRecentBuffer,
// and the slices are decoded where the last ones were.
void Base64Decoder::MakeRoom(std::size_t size) {
  if (3 * (groups_ - recentFirst_) > kRecentBytes || recentPads_.size() > kRecentPadRuns) {
    MoveOldestToHeldGroups();
  }
  const std::size_t first = 3 * static_cast<std::size_t>(recentFirst_ - recentBase_);
  std::size_t used = 3 * static_cast<std::size_t>(groups_ - recentBase_);
  if (first > 0 && 4 * first >= used - first) {
    std::memmove(recent_.data(), recent_.data() + first, used - first);
    recentBase_ = recentFirst_;
    used -= first;
  }
  const std::size_t needed = used + SliceBytes(size);
  if (needed <= recent_.size()) return;
  const std::size_t grown = std::min(kRecentBuffer, std::max(needed, 2 * recent_.size()));
  recent_.reserve(grown);
  recent_.resize(grown);
}

void Base64Decoder::MoveOldestToHeldGroups() {
  // The last group ruled out waits in lastRuledOut_ from now on.
  if (ruledOut_ > 0 && recentFirst_ + 1 == ruledOut_) {
    std::copy_n(RecentGroup(recentFirst_), 3, lastRuledOut_.data());
    slotCopied_ = true;
    ++recentFirst_;
  }
  while (3 * (groups_ - recentFirst_) > kRecentBytes / 2 ||
         recentPads_.size() > kRecentPadRuns / 2) {
    const std::uint8_t pads = RecentPads(recentFirst_);
    held_.Append(RecentGroup(recentFirst_), pads);
    if (pads > 0) {
      PadRun& run = recentPads_.front();
      ++run.first;
      if (--run.count == 0) recentPads_.pop_front();
    }
    ++recentFirst_;
  }
}

void Base64Decoder::DecodeSlice(const std::uint8_t* text, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    if (quadDigits_ == 0) {
      const std::size_t groups = DecodeBase64Groups(text + i, (size - i) / 4, RecentGroup(groups_));
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
  if (++quadDigits_ == 4) CompleteGroup();
}

void Base64Decoder::CompleteGroup() {
  std::uint8_t* out = RecentGroup(groups_);
  out[0] = static_cast<std::uint8_t>(quad_ >> 16);
  out[1] = static_cast<std::uint8_t>(quad_ >> 8);
  out[2] = static_cast<std::uint8_t>(quad_);
  if (quadPads_ > 0) {
    const auto pads = static_cast<std::uint8_t>(quadPads_);
    if (!recentPads_.empty() && recentPads_.back().pads == pads &&
        recentPads_.back().first + recentPads_.back().count == groups_ &&
        recentPads_.back().count < std::numeric_limits<std::uint32_t>::max()) {
      ++recentPads_.back().count;
    } else {
      recentPads_.push_back({groups_, 1, pads});
    }
  }
  ++groups_;
  quad_ = 0;
  quadDigits_ = 0;
  quadPads_ = 0;
}

// Rules out what it can of `count` groups in a row with `pads` "=" signs
// each and returns how many.
inline std::uint64_t Base64Decoder::RuleOut(std::uint8_t pads, std::uint64_t count,
                                            std::uint64_t limit) {
  // The j-th of them reaches 3 g + P_g = reached + j (3 + pads).
  const std::uint64_t reached = 3 * ruledOut_ + ruledOutPads_;
  const std::uint64_t step = 3u + pads;
  std::uint64_t n = count;  // mostly all of them: no division then
  if (reached + count * step >= limit) n = limit > reached ? (limit - reached - 1) / step : 0;
  ruledOut_ += n;
  ruledOutPads_ += n * pads;
  return n;
}

// The whole-text rule: with G groups in all and P_g "=" signs up to the end
// of group g (counted from 1), the groups are read up to the first g with
// 3 g + P_g >= 3 G, which ends the output at 3 G - P_g bytes, within group g
// or the group before it. Since 3 g + P_g grows with g and G only grows as
// text comes, the groups known so far rule out the groups before the first
// g with 3 g + P_g >= 3 G; a group is passed on once the group after it is
// ruled out.
void Base64Decoder::SettleGroups(std::uint64_t groupsKnown) {
  const std::uint64_t limit = 3 * groupsKnown;
  if (SettleHeldGroups(limit)) SettleRecentGroups(limit);
}

// Returns whether all of held_ is ruled out, so that recent_ comes next.
bool Base64Decoder::SettleHeldGroups(std::uint64_t limit) {
  while (!held_.Empty()) {
    GroupRun& run = held_.Front();
    const bool slot = ruledOut_ > 0;  // then in lastRuledOut_
    const std::uint64_t n = RuleOut(run.pads, run.count, limit);
    if (n == 0) return false;
    if (slot) Pass(lastRuledOut_.data(), 3);
    for (std::uint64_t i = 1; i < n; ++i)
      Pass(run.bytes.data(), 3);
    lastRuledOut_ = run.bytes;
    slotCopied_ = true;
    if (n < run.count) {
      run.count -= static_cast<std::uint32_t>(n);
      return false;
    }
    held_.PopFront();
  }
  return true;
}

// Each run of groups with "=" and the stretch without before it, then
// everything before the new last ruled-out group in one piece.
void Base64Decoder::SettleRecentGroups(std::uint64_t limit) {
  const std::uint64_t before = ruledOut_;
  while (ruledOut_ < groups_) {
    if (recentPads_.empty()) {
      RuleOut(0, groups_ - ruledOut_, limit);
      break;
    }
    PadRun& run = recentPads_.front();
    const std::uint64_t stretch = run.first - ruledOut_;
    if (stretch > 0 && RuleOut(0, stretch, limit) < stretch) break;
    const std::uint64_t n = RuleOut(run.pads, run.count, limit);
    if (n < run.count) {
      run.first += n;
      run.count -= static_cast<std::uint32_t>(n);
      break;
    }
    recentPads_.pop_front();
  }
  if (ruledOut_ == before) return;
  if (slotCopied_) Pass(lastRuledOut_.data(), 3);
  slotCopied_ = false;
  Pass(RecentGroup(recentFirst_), 3 * static_cast<std::size_t>(ruledOut_ - 1 - recentFirst_));
  recentFirst_ = ruledOut_ - 1;
}

// The "=" signs of the first group in recent_ that is not ruled out.
std::uint8_t Base64Decoder::RecentPads(std::uint64_t group) const {
  return !recentPads_.empty() && recentPads_.front().first == group ? recentPads_.front().pads : 0;
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

// The slice's room also holds the group that "=" signs complete here.
void Base64Decoder::Finish() {
  while (quadDigits_ > 0)
    TakeCharacter(kPad);
  SettleGroups(groups_);
  if (groups_ > 0) {
    // The first group not ruled out is the last that counts (the last group
    // of all always reaches 3 G); the one before it is held too.
    std::array<std::uint8_t, 6> tail{};
    std::size_t size = 0;
    if (ruledOut_ > 0) {
      std::copy_n(slotCopied_ ? lastRuledOut_.data() : RecentGroup(ruledOut_ - 1), 3, tail.data());
      size = 3;
    }
    std::uint8_t pads = 0;
    if (held_.Empty()) {
      pads = RecentPads(ruledOut_);
      std::copy_n(RecentGroup(ruledOut_), 3, tail.data() + size);
    } else {
      pads = held_.Front().pads;
      std::copy_n(held_.Front().bytes.data(), 3, tail.data() + size);
    }
    size += 3;
    const auto end =
        static_cast<std::int64_t>(3 * groups_) - static_cast<std::int64_t>(ruledOutPads_ + pads);
    const std::uint64_t passed = ruledOut_ > 0 ? 3 * (ruledOut_ - 1) : 0;
    const auto rest = std::clamp<std::int64_t>(end - static_cast<std::int64_t>(passed), 0,
                                               static_cast<std::int64_t>(size));
    Pass(tail.data(), static_cast<std::size_t>(rest));
  }
  out_.Finish();
}

}  // namespace velunor
