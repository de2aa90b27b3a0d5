#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "protection/byte_sink.h"
#include "protection/held_groups.h"
#include "protection/output_buffer.h"

namespace velunor {

// Standard base 64 on one line, "=" padding at the end.
class Base64Encoder final : public ByteSink {
 public:
  explicit Base64Encoder(ByteSink& next) : out_(next) {}
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  OutputBuffer out_;
  std::uint8_t carry_[3] = {};  // bytes of an incomplete group
  std::size_t carried_ = 0;
};

// Reads base 64, skipping every character but the 64 digits and "=". The
// digits are read in groups of four; "=" counts as a zero digit and takes one
// byte off the total, which is why the end of the output is known only at
// the end of the text: "=" signs can take back bytes of the groups before
// them. The decoder therefore holds back the groups that the "=" signs read
// so far could still reach; without "=" signs in the middle of the text that
// is the last two groups. Held groups stay where their slice was decoded, up
// to kRecentBytes; beyond that the oldest of them wait in HeldGroups. Its
// memory stays under kMemoryBytes and its time linear in the text, whatever
// the text.
class Base64Decoder final : public ByteSink {
 public:
  // Text is read in slices of this many characters.
  static constexpr std::size_t kSlice = std::size_t{64} * 1024;
  // Held groups kept where they were decoded, and their runs of groups with "=".
  static constexpr std::size_t kRecentBytes = std::size_t{128} * 1024;
  static constexpr std::size_t kRecentPadRuns = std::size_t{4} * 1024;
  static constexpr std::size_t kMemoryBytes = std::size_t{1} << 20;

  // `alphabet`: every character the format accepts; with `checkText` any
  // other character is refused with the format's name, without it skipped.
  Base64Decoder(std::string_view alphabet, std::string formatName, bool checkText, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  // Groups in a row, from group `first` on, with `pads` "=" signs each.
  struct PadRun {
    std::uint64_t first;
    std::uint32_t count;
    std::uint8_t pads;
  };

  void MakeRoom(std::size_t size);
  void MoveOldestToHeldGroups();
  void DecodeSlice(const std::uint8_t* text, std::size_t size);
  void TakeCharacter(std::uint8_t kind);
  void CompleteGroup();
  void SettleGroups(std::uint64_t groupsKnown);
  bool SettleHeldGroups(std::uint64_t limit);
  void SettleRecentGroups(std::uint64_t limit);
  std::uint64_t RuleOut(std::uint8_t pads, std::uint64_t count, std::uint64_t limit);
  std::uint8_t* RecentGroup(std::uint64_t group) {
    return recent_.data() + 3 * (group - recentBase_);
  }
  std::uint8_t RecentPads(std::uint64_t group) const;
  void Pass(const std::uint8_t* bytes, std::size_t size);

  std::array<std::uint8_t, 256> kinds_{};
  std::string formatName_;
  ByteSink& next_;
  OutputBuffer out_;
  std::uint32_t quad_ = 0;  // the digits of the group being read
  int quadDigits_ = 0;
  int quadPads_ = 0;
  std::uint64_t groups_ = 0;  // complete groups, counted from 0
  // Groups 0 to ruledOut_ - 1 are known not to be the last one that counts,
  // with ruledOutPads_ "=" signs in them; all but the last of them have been
  // passed on, that one is held in case the group after it takes it back
  // (in lastRuledOut_ while slotCopied_, else in recent_).
  std::uint64_t ruledOut_ = 0;
  std::uint64_t ruledOutPads_ = 0;
  std::array<std::uint8_t, 3> lastRuledOut_{};
  bool slotCopied_ = false;
  // The oldest groups after ruledOut_ - 1, when recent_ held too many.
  HeldGroups held_;
  // The bytes of groups recentBase_ on, three each: those from recentFirst_
  // to groups_ - 1 are held, behind them the slice being decoded.
  std::vector<std::uint8_t> recent_;
  std::uint64_t recentBase_ = 0;
  std::uint64_t recentFirst_ = 0;
  std::deque<PadRun> recentPads_;  // the groups with "=" in recent_ from ruledOut_ on
};

}  // namespace velunor
