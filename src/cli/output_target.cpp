#include "cli/output_target.h"

#include <cstring>
#include <ostream>

#include "cli/output.h"

namespace velunor::cli {

namespace {

[[noreturn]] void RaiseFileFailure(const EFileReplacement& failure) {
  const char* what =
      failure.Step() == TReplacementStep::kCreate ? "cannot create " : "cannot write ";
  throw OutputFailure(what + failure.Path() + ": " + std::strerror(failure.Error()));
}

}  // namespace

OutputTarget::OutputTarget(const std::string& path, std::ostream& out,
                           std::filesystem::perms newFileMode)
    : out_(out) {
  if (path.empty() || path == "-") return;
  try {
    file_ = std::make_unique<TFileReplacement>(path, newFileMode);
  } catch (const EFileReplacement& failure) {
    RaiseFileFailure(failure);
  }
}

void OutputTarget::Write(const std::uint8_t* data, std::size_t size) {
  if (!file_) {
    out_.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out_) FinishOutput(out_);
    return;
  }
  try {
    file_->Write(data, size);
  } catch (const EFileReplacement& failure) {
    RaiseFileFailure(failure);
  }
}

void OutputTarget::Commit() {
  if (!file_) {
    FinishOutput(out_);
    return;
  }
  try {
    file_->Commit();
  } catch (const EFileReplacement& failure) {
    RaiseFileFailure(failure);
  }
}

}  // namespace velunor::cli
