#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace velunor {

// Groups of base 64 in a row that decode to the same three bytes and hold
// the same number of "=" signs.
struct GroupRun {
  std::array<std::uint8_t, 3> bytes;
  std::uint8_t pads;
  std::uint32_t count;
};

// The groups a base 64 decoder holds back, first in, first out, as runs of
// equal groups: text of "=" signs alone, or of equal padded lines, is one
// run however long it is. Where the runs are many (data between the "="
// signs), at most kMemoryRuns of them stay in memory and the later ones wait
// in an unnamed temporary file (system_file::OpenTemporary), so that memory
// stays within kMemoryBytes whatever the text.
class HeldGroups {
 public:
  static constexpr std::size_t kMemoryRuns = std::size_t{16} * 1024;
  // Runs written to and read from the file at a time.
  static constexpr std::size_t kBlockRuns = std::size_t{4} * 1024;
  static constexpr std::size_t kMemoryBytes = (kMemoryRuns + 2 * kBlockRuns) * sizeof(GroupRun);

  HeldGroups() = default;
  HeldGroups(const HeldGroups&) = delete;
  HeldGroups& operator=(const HeldGroups&) = delete;
  ~HeldGroups();

  bool Empty() const;
  // Appends one group.
  void Append(const std::uint8_t* bytes, std::uint8_t pads);
  // The first run (not Empty); its count may be lowered, but not to 0.
  GroupRun& Front();
  void PopFront();

 private:
  void Close(const GroupRun& run);
  void WriteBlock();
  void Refill();

  // In order: memory_, the runs in the file, toWrite_, last_.
  std::deque<GroupRun> memory_;
  int file_ = -1;
  std::uint64_t fileBegin_ = 0;  // runs in the file, counted from its start
  std::uint64_t fileEnd_ = 0;
  std::vector<GroupRun> toWrite_;
  std::vector<GroupRun> block_;  // a block read back
  GroupRun last_{};              // the run that may still grow; count 0 when none
};

}  // namespace velunor
