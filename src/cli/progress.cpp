#include "cli/progress.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ostream>

#include "cli/input.h"

namespace velunor::cli {

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

}  // namespace

ProgressReport::~ProgressReport() {
  if (shown_ != ~std::uint64_t{0}) err_ << '\n' << std::flush;
}

void ProgressReport::Update(std::uint64_t done) {
  // A new line of text only when the shown figure changes.
  const std::uint64_t step = total_ > 0 ? done * 100 / total_ : done / (16 * kMiB);
  if (step == shown_) return;
  shown_ = step;
  err_ << "\rvelunor: " << done / kMiB << " MiB";
  if (total_ > 0) err_ << " of " << total_ / kMiB << " MiB (" << step << " %)";
  err_ << std::flush;
}

std::uint64_t InputSize(const std::string& path) {
  struct stat info {};
  const int status =
      IsStandardInput(path) ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info);
  return status == 0 && S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

bool ShowsProgressByDefault(std::uint64_t inputSize) {
  return inputSize >= 64 * kMiB && ::isatty(STDERR_FILENO) == 1;
}

}  // namespace velunor::cli
