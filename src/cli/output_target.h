#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "files/file_replacement.h"
#include "protection/byte_sink.h"

namespace velunor::cli {

// Where a command's results go: standard output, or the file of --output,
// which is replaced whole once the command has succeeded and is left as it
// was when the command fails. Raises OutputFailure, with the system's
// reason, when standard output or the file refuses the results.
class OutputTarget final : public ByteSink {
 public:
  OutputTarget(const std::string& path, std::ostream& out,
               std::filesystem::perms newFileMode = TFileReplacement::kOrdinaryNewFileMode);

  void Write(const std::uint8_t* data, std::size_t size) override;
  // The end of one coding road; more may follow until Commit.
  void Finish() override {}
  // Passes everything on: flushes standard output or puts the file in place.
  void Commit();

 private:
  std::ostream& out_;
  std::unique_ptr<TFileReplacement> file_;
};

}  // namespace velunor::cli
