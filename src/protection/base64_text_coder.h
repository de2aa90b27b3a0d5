#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "protection/byte_sink.h"
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
// is the last two groups.
class Base64Decoder final : public ByteSink {
 public:
  // `alphabet`: every character the format accepts; with `checkText` any
  // other character is refused with the format's name, without it skipped.
  Base64Decoder(std::string_view alphabet, std::string formatName, bool checkText, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  // "=" signs read up to the end of each of `count` groups in a row.
  struct PadRun {
    std::uint64_t pads;
    std::uint64_t count;
  };

  std::size_t DecodeSlice(const std::uint8_t* text, std::size_t size);
  void TakeCharacter(std::uint8_t kind);
  void CompleteGroups(std::uint64_t count);
  void SettleGroups(std::uint64_t groupsKnown);

  std::array<std::uint8_t, 256> kinds_{};
  std::string formatName_;
  ByteSink& next_;
  std::uint32_t quad_ = 0;  // the digits of the group being read
  int quadDigits_ = 0;
  int quadPads_ = 0;
  std::uint64_t pads_ = 0;      // "=" signs in the complete groups
  std::uint64_t groups_ = 0;    // complete groups
  std::uint64_t passed_ = 0;    // groups passed on to the next sink
  std::uint64_t ruledOut_ = 0;  // groups known not to be the last one that counts
  std::deque<PadRun> padRuns_;  // for the groups from ruledOut_ on
  ByteString held_;             // the bytes of the groups from passed_ on
};

}  // namespace velunor
