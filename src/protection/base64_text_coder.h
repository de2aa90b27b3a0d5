#pragma once

#include <array>
#include <cstdint>
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
// so far could still reach (without "=" signs in the middle of the text, the
// last two groups) in HeldGroups. Its memory stays under kMemoryBytes and
// its time linear in the text, whatever the text.
class Base64Decoder final : public ByteSink {
 public:
  // Text is read in slices of this many characters.
  static constexpr std::size_t kSlice = std::size_t{64} * 1024;
  static constexpr std::size_t kMemoryBytes = std::size_t{1} << 20;

  // `alphabet`: every character the format accepts; with `checkText` any
  // other character is refused with the format's name, without it skipped.
  Base64Decoder(std::string_view alphabet, std::string formatName, bool checkText, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  // A group of the slice that holds "=" signs.
  struct PaddedGroup {
    std::uint16_t index;
    std::uint8_t pads;
  };

  void DecodeSlice(const std::uint8_t* text, std::size_t size);
  void TakeCharacter(std::uint8_t kind);
  void SettleGroups(std::uint64_t groupsKnown);
  std::uint64_t RuleOut(const std::uint8_t* bytes, bool repeated, std::uint8_t pads,
                        std::uint64_t count, std::uint64_t limit);
  void Pass(const std::uint8_t* bytes, std::size_t size);

  std::array<std::uint8_t, 256> kinds_{};
  std::string formatName_;
  ByteSink& next_;
  OutputBuffer out_;
  std::uint32_t quad_ = 0;  // the digits of the group being read
  int quadDigits_ = 0;
  int quadPads_ = 0;
  std::uint64_t groups_ = 0;  // complete groups
  // The groups of the slice being read, three bytes each, and which of them hold "=".
  std::vector<std::uint8_t> slice_;
  std::size_t sliceGroups_ = 0;
  std::vector<PaddedGroup> padded_;
  // Groups known not to be the last one that counts, the "=" signs in them,
  // and the bytes of the last of them (the group after it may take them back).
  std::uint64_t ruledOut_ = 0;
  std::uint64_t ruledOutPads_ = 0;
  std::array<std::uint8_t, 3> lastRuledOut_{};
  HeldGroups held_;  // the groups after those, up to the slice
};

}  // namespace velunor
