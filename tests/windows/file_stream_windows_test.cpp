// What files are on Windows: opened in binary mode, by UTF-16 names, and
// identified by volume and file index, as stat has no inode numbers there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cipher/cipher_blowfish.h"
#include "runtime/streams.h"
#include "support/test_support.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

class WindowsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / "velunor-windows-files";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Utf8Path(const std::u8string& name) const {
    const std::u8string path = (dir_ / name).u8string();
    return std::string(path.begin(), path.end());
  }
  static std::string ReadBack(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

// Line breaks and the old end-of-file byte 1A hex pass unchanged in both
// directions: a text mode would turn LF into CR LF and stop reading at 1A.
TEST_F(WindowsFiles, BinaryBytesPassUnchanged) {
  const ByteString bytes = std::string(
                               "a\nb\r\nc\x1A"
                               "d\r",
                               8) +
                           test::PatternBytes(70000, 3);
  const std::string path = Utf8Path(u8"binary.dat");
  {
    TFileStream out(path, TFileStream::Mode::kCreate);
    out.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  }
  EXPECT_EQ(ReadBack(dir_ / "binary.dat"), bytes);
  EXPECT_EQ(ReadWholeFile(path), bytes);
}

// UTF-8 names reach the file system as the UTF-16 names they spell, beyond
// the ANSI code page.
TEST_F(WindowsFiles, Utf8NamesOpenUnicodeFiles) {
  for (const std::u8string name : {u8"Grüße €.txt", u8"Ωμέγα.txt", u8"日本.txt"}) {
    std::ofstream(dir_ / name, std::ios::binary) << "inhalt";
    EXPECT_TRUE(FileExists(Utf8Path(name)));
    EXPECT_EQ(ReadWholeFile(Utf8Path(name)), "inhalt");
  }
  EXPECT_FALSE(FileExists(Utf8Path(u8"fehlt €.txt")));
  EXPECT_FALSE(FileExists(Utf8Path(u8"")));
}

// Coding one file into another never touches the source, and a second
// spelling of the same name codes in place instead of truncating the file it
// reads from.
TEST_F(WindowsFiles, ProcessFileTellsFilesApart) {
  const ByteString plain = test::PatternBytes(10000, 5);
  std::ofstream(dir_ / "plain.txt", std::ios::binary) << plain;
  std::ofstream(dir_ / "other.txt", std::ios::binary) << "other";
  const auto cipher = MakeProtection<TCipher_Blowfish>(nullptr);
  cipher->InitKey("Geheimnis", nullptr);
  cipher->ProcessFile(Utf8Path(u8"plain.txt"), Utf8Path(u8"other.txt"), caEncode);
  EXPECT_EQ(ReadBack(dir_ / "plain.txt"), plain);
  const std::string coded = ReadBack(dir_ / "other.txt");
  ASSERT_EQ(coded.size(), plain.size());
  EXPECT_NE(coded, plain);

  // PLAIN.TXT is plain.txt on Windows: coded in place, nothing lost.
  cipher->InitKey("Geheimnis", nullptr);
  cipher->ProcessFile(Utf8Path(u8"plain.txt"), Utf8Path(u8"PLAIN.TXT"), caEncode);
  EXPECT_EQ(ReadBack(dir_ / "plain.txt"), coded);
}

}  // namespace
}  // namespace velunor
