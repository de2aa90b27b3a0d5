#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace velunor::cli {

// How far a command has read its input, on standard error: one line that is
// rewritten as the count grows, in MiB and, where the size is known, in
// per cent of it.
class ProgressReport {
 public:
  // `total` is the input's size in bytes, 0 when it is not known.
  ProgressReport(std::ostream& err, std::uint64_t total) : err_(err), total_(total) {}
  ~ProgressReport();
  ProgressReport(const ProgressReport&) = delete;
  ProgressReport& operator=(const ProgressReport&) = delete;

  void Update(std::uint64_t done);

 private:
  std::ostream& err_;
  std::uint64_t total_;
  std::uint64_t shown_ = ~std::uint64_t{0};
};

// The size of the named file or of standard input where it is a regular
// file, else 0.
std::uint64_t InputSize(const std::string& path);

// Whether progress is shown without --progress: on a terminal, for a
// regular file of 64 MiB or more.
bool ShowsProgressByDefault(std::uint64_t inputSize);

}  // namespace velunor::cli
