#include "protection/held_groups.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

#include "runtime/streams.h"
#include "runtime/system_file.h"

namespace velunor {

namespace {

[[noreturn]] void RaiseSpillError(const char* what) {
  throw EStreamError(
      std::string("cannot ") + what +
      " the held-back groups of base 64 text in a temporary file: " + std::strerror(errno));
}

// Runs `step` (a read or a write of the bytes from `done` on, returning how
// many it moved) until all `size` bytes have been moved.
template <class Step>
void MoveAll(std::size_t size, const char* what, Step step) {
  for (std::size_t done = 0; done < size;) {
    const std::int64_t n = step(done);
    if (n == 0) errno = EIO;  // the file ended early
    if (n <= 0) RaiseSpillError(what);
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

HeldGroups::~HeldGroups() {
  if (file_ >= 0) system_file::Close(file_);
}

bool HeldGroups::Empty() const {
  return memory_.empty() && fileBegin_ == fileEnd_ && toWrite_.empty() && last_.count == 0;
}

void HeldGroups::Append(const std::uint8_t* bytes, std::uint8_t pads) {
  const std::array<std::uint8_t, 3> group{bytes[0], bytes[1], bytes[2]};
  if (last_.count > 0 && last_.bytes == group && last_.pads == pads &&
      last_.count < std::numeric_limits<std::uint32_t>::max()) {
    ++last_.count;
    return;
  }
  if (last_.count > 0) Close(last_);
  last_ = {group, pads, 1};
}

GroupRun& HeldGroups::Front() {
  if (memory_.empty()) Refill();
  return memory_.empty() ? last_ : memory_.front();
}

void HeldGroups::PopFront() {
  if (memory_.empty()) Refill();
  if (memory_.empty()) {
    last_.count = 0;
  } else {
    memory_.pop_front();
  }
}

// A run that can no longer grow joins the queue: in memory while there is
// room and nothing waits in the file, else behind what waits there.
void HeldGroups::Close(const GroupRun& run) {
  if (fileBegin_ == fileEnd_ && toWrite_.empty() && memory_.size() < kMemoryRuns) {
    memory_.push_back(run);
    return;
  }
  toWrite_.push_back(run);
  if (toWrite_.size() == kBlockRuns) WriteBlock();
}

void HeldGroups::WriteBlock() {
  if (file_ < 0) {
    file_ = system_file::OpenTemporary();
    if (file_ < 0) RaiseSpillError("keep");
  }
  const auto* data = reinterpret_cast<const std::uint8_t*>(toWrite_.data());
  const std::size_t size = toWrite_.size() * sizeof(GroupRun);
  const auto offset = static_cast<std::int64_t>(fileEnd_ * sizeof(GroupRun));
  MoveAll(size, "keep", [&](std::size_t done) {
    return system_file::WriteAt(file_, data + done, size - done,
                                offset + static_cast<std::int64_t>(done));
  });
  fileEnd_ += toWrite_.size();
  toWrite_.clear();
}

// The memory is empty: the next runs come from the file, else from those
// still to be written.
void HeldGroups::Refill() {
  if (fileBegin_ == fileEnd_) {
    memory_.insert(memory_.end(), toWrite_.begin(), toWrite_.end());
    toWrite_.clear();
    return;
  }
  const std::uint64_t count = std::min<std::uint64_t>(fileEnd_ - fileBegin_, kBlockRuns);
  block_.resize(count);
  auto* data = reinterpret_cast<std::uint8_t*>(block_.data());
  const std::size_t size = count * sizeof(GroupRun);
  const auto offset = static_cast<std::int64_t>(fileBegin_ * sizeof(GroupRun));
  MoveAll(size, "read back", [&](std::size_t done) {
    return system_file::ReadAt(file_, data + done, size - done,
                               offset + static_cast<std::int64_t>(done));
  });
  memory_.insert(memory_.end(), block_.begin(), block_.end());
  fileBegin_ += count;
  // An emptied file is written again from its start.
  if (fileBegin_ == fileEnd_) fileBegin_ = fileEnd_ = 0;
}

}  // namespace velunor
