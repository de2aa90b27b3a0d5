#pragma once

// Runs the command line tool in-process, and makes scratch files for it.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace velunor::test {

struct ToolResult {
  int status;
  std::string out;
  std::string err;
};

inline ToolResult RunTool(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), "velunor");
  std::vector<const char*> argv;
  for (const auto& arg : args)
    argv.push_back(arg.c_str());
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(static_cast<int>(argv.size()), argv.data(), in, out, err);
  return {status, out.str(), err.str()};
}

// A directory of its own for one test, removed with everything in it.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("velunor-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // Writes a file of the directory and returns its full name.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string file = (path_ / name).string();
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace velunor::test
