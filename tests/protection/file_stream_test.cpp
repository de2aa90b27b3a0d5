#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "runtime/streams.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// Only regular files count as existing files: a pipe or a directory named as
// a file to load would block or fail the reader.
TEST(FileStream, FileExistsOnlyForRegularFiles) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("velunor-fs-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "plain.txt").string();
  const std::string fifo = (dir / "fifo").string();
  std::ofstream(file) << "x";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(fifo));
  EXPECT_FALSE(FileExists(dir.string()));
  EXPECT_FALSE(FileExists((dir / "missing").string()));
  std::filesystem::remove_all(dir);
}

// A pipe (as given by a shell's process substitution) has no positions; it
// is read as it comes.
TEST(FileStream, ReadsAPipe) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], "abc", 3), 3);
  ::close(fds[1]);
  TFileStream stream("/proc/self/fd/" + std::to_string(fds[0]), TFileStream::Mode::kOpenRead);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 3);
  EXPECT_EQ(std::string(buffer, 3), "abc");
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0);
  ::close(fds[0]);
}

// Whole files are read across the reader's buffer size, zero bytes included;
// a missing file is an open error, not an empty text. A reader of pieces that
// has seen enough reads no further.
TEST(FileStream, ReadWholeFile) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("velunor-whole-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (const std::size_t size : {std::size_t{0}, std::size_t{65536}, std::size_t{200001}}) {
    const ByteString content = test::PatternBytes(size, 7) + std::string(1, '\0');
    const std::string path = (dir / ("f" + std::to_string(size))).string();
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
    EXPECT_EQ(ReadWholeFile(path), content) << size;
    int pieces = 0;
    ReadFileInPieces(path, [&](std::string_view) { return ++pieces == 0; });
    EXPECT_EQ(pieces, 1) << size;
  }
  EXPECT_THROW(ReadWholeFile((dir / "missing").string()), EFOpenError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velunor
