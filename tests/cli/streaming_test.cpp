// The coding commands read their input in pieces: the bytes they write are
// those of the whole-string coding for every length, their memory does not
// grow with the input, --output replaces a file whole or not at all, and
// --progress shows how far they have read.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/named_formats.h"
#include "cli/program.h"
#include "cli/run_tool.h"
#include "hash/hash_registry.h"
#include "managers/cipher_manager.h"
#include "protection/format_registry.h"
#include "support/hostile_base64.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using test::RunTool;

// Lengths around the boundaries of text groups and lines, cipher blocks,
// the 4096-byte coding pieces and the 64 KiB reads.
const std::size_t kLengths[] = {0,     1,     2,     3,      7,      8,      9,
                                45,    46,    4095,  4096,   4097,   8191,   8193,
                                65535, 65536, 65537, 131071, 131072, 131073, 3 * 65536 + 4093};

TEST(Streaming, OutputsAreThoseOfTheWholeStringCoding) {
  THashManager hashManager;
  TCipherManager manager;
  manager.SetHashManager(&hashManager);
  manager.SetMode(cmCTS);
  manager.InitKey("Sommer");
  TCipher& cipher = manager.CipherObject();
  const std::vector<test::NamedFormat> formats = test::RegisteredNamedFormats();
  for (const std::size_t length : kLengths) {
    const ByteString data = test::PatternBytes(length, static_cast<std::uint32_t>(length));
    for (const auto& format : formats) {
      SCOPED_TRACE(std::string(format.name) + " " + std::to_string(length));
      const std::string lineBreak = format.value == sfCopy ? "" : "\n";
      const ByteString cipherText = cipher.ProcessText(data, caEncode, format.value);
      const auto encrypted =
          RunTool({"encrypt", "--keyword", "Sommer", "--format", format.name}, data);
      EXPECT_EQ(encrypted.out, cipherText + lineBreak) << encrypted.err;
      const auto decrypted =
          RunTool({"decrypt", "--keyword", "Sommer", "--format", format.name}, cipherText);
      EXPECT_EQ(decrypted.out, data) << decrypted.err;
      const ByteString text = BytesToText(data, format.value);
      EXPECT_EQ(RunTool({"convert", "--to", format.name}, data).out, text + lineBreak);
      EXPECT_EQ(RunTool({"convert", "--from", format.name}, text).out, data);
    }
    const ByteString digest =
        FindHashClass("Ripe Message Digest 256")->DigestAsText(data, nullptr, sfHexLower);
    EXPECT_EQ(RunTool({"digest"}, data).out, digest + "\n") << length;
  }
}

TEST(Streaming, MemoryDoesNotGrowWithTheInput) {
  const test::ScratchDirectory dir("streaming-memory");
  // Sparse files: a gibibyte of zero bytes that takes no room.
  const auto sparse = [&](const std::string& name, std::uintmax_t size) {
    const std::string path = dir.Write(name, "");
    std::filesystem::resize_file(path, size);
    return path;
  };
  const std::string small = sparse("small", 1 << 20);
  const std::string large = sparse("large", std::uintmax_t{1} << 30);
  // Standard input and a named file, each to an output that takes all.
  const struct {
    std::vector<std::string> args;
    bool fromInput;
  } commands[] = {
      {{"digest", "--hash", "CRC-32", "-o", "/dev/null"}, true},
      {{"convert", "--to", "copy", "-o", "/dev/null"}, false},
  };
  for (const auto& command : commands) {
    SCOPED_TRACE(command.args[0]);
    const auto peak = [&](const std::string& file) {
      std::vector<std::string> args = command.args;
      if (!command.fromInput) args.push_back(file);
      const auto result = test::RunProgram(args, "", test::StandardOutput::kCaptured,
                                           command.fromInput ? file : "");
      EXPECT_EQ(result.status, 0) << result.err;
      return result.peakKiB;
    };
    const long smallPeak = peak(small);
    EXPECT_LE(peak(large), smallPeak + 8 * 1024) << smallPeak << " KiB for 1 MiB";
  }
}

// Ends the programs started during its lifetime once they have used
// `seconds` of processor time: a guard against time that grows faster than
// the input, far above what linear time takes.
class ProcessorTimeLimit {
 public:
  explicit ProcessorTimeLimit(rlim_t seconds) {
    ::getrlimit(RLIMIT_CPU, &saved_);
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);  // the limit holds for this process too
    rlimit limit = saved_;
    limit.rlim_cur = std::min<rlim_t>(
        saved_.rlim_max,
        static_cast<rlim_t>(self.ru_utime.tv_sec + self.ru_stime.tv_sec) + seconds);
    ::setrlimit(RLIMIT_CPU, &limit);
  }
  ~ProcessorTimeLimit() { ::setrlimit(RLIMIT_CPU, &saved_); }
  ProcessorTimeLimit(const ProcessorTimeLimit&) = delete;
  ProcessorTimeLimit& operator=(const ProcessorTimeLimit&) = delete;

 private:
  rlimit saved_{};
};

// Text that makes a decoder hold back what it has read, or skip and skip:
// "=" signs that can take back bytes of the groups before them, a hex text
// whose prefix marker may still come, long gaps inside UU lines.
TEST(Streaming, HostileTextTakesBoundedMemoryAndLinearTime) {
#ifdef __SANITIZE_ADDRESS__
  // Unoptimised code; and a program's peak memory counts what this process
  // held when it started the program, which the sanitizer keeps for a while
  // after it is freed: only the release build compares peaks.
  constexpr std::size_t kSize = std::size_t{8} << 20;
  constexpr bool kComparePeaks = false;
#else
  constexpr std::size_t kSize = std::size_t{64} << 20;
  constexpr bool kComparePeaks = true;
#endif
  const struct {
    const char* format;
    std::string (*text)(std::size_t size);
    ByteString (*expected)(std::string_view text);
  } cases[] = {
      {"base64", [](std::size_t size) { return std::string(size, '='); }, test::Base64ByTheRule},
      {"base64", [](std::size_t size) { return test::Repeated("====\n", size / 5); },
       test::Base64ByTheRule},
      {"base64", [](std::size_t size) { return test::Repeated("YWI=\n", size / 5); },
       test::Base64ByTheRule},
      // More held-back groups than fit in memory, some of them in the output.
      {"base64", [](std::size_t size) { return test::DistinctPaddedLines(size / 6, size / 36); },
       test::Base64ByTheRule},
      {"hex", [](std::size_t size) { return std::string(size, '0'); },
       [](std::string_view text) { return ByteString(text.size() / 2, '\0'); }},
      {"hex", [](std::size_t size) { return std::string(size, ' ') + "12"; },
       [](std::string_view) { return ByteString("\x12"); }},
      {"uu", [](std::size_t size) { return std::string(size, '`'); },
       [](std::string_view) { return ByteString(); }},
      {"uu", [](std::size_t size) { return "M" + std::string(size, ' ') + std::string(60, '`'); },
       [](std::string_view) { return ByteString(45, '\0'); }},
      {"xx", [](std::size_t size) { return std::string(size, '+'); },
       [](std::string_view) { return ByteString(); }},
  };
  const test::ScratchDirectory dir("streaming-hostile");
  const ProcessorTimeLimit limit(60);
  for (const auto& c : cases) {
    // The program's peak counts what this process holds when it starts
    // the program: the text and the expected bytes are gone by then.
    const auto run = [&](std::size_t size) {
      std::string path;
      std::size_t expectedSize = 0;
      std::size_t expectedHash = 0;
      std::string start;
      {
        const std::string text = c.text(size);
        start = text.substr(0, 12);
        std::replace(start.begin(), start.end(), '\n', '/');
        path = dir.Write("in", text);
        const ByteString expected = c.expected(text);
        expectedSize = expected.size();
        expectedHash = std::hash<ByteString>{}(expected);
      }
      SCOPED_TRACE(std::string(c.format) + ", about " + std::to_string(size >> 10) +
                   " KiB of text starting " + start + " (/: a line break)");
      const auto result = test::RunProgram({"convert", "--from", c.format, path});
      EXPECT_EQ(result.status, 0) << result.err;
      EXPECT_EQ(result.out.size(), expectedSize);
      EXPECT_EQ(std::hash<ByteString>{}(result.out), expectedHash);
      return result.peakKiB;
    };
    const long smallPeak = run(1 << 20);
    const long peak = run(kSize);
    if (kComparePeaks) {
      EXPECT_LE(peak, smallPeak + 8 * 1024) << smallPeak << " KiB for 1 MiB";
    }
  }
}

TEST(Streaming, OutputFileIsReplacedWholeOrNotAtAll) {
  const test::ScratchDirectory dir("streaming-output");
  const ByteString data = test::PatternBytes(300000, 5);
  const std::string output = dir.Write("out", "old content");
  // Done: the file holds the result, nothing goes to standard output.
  const auto done = RunTool({"convert", "--to", "hex", "-o", output}, data);
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(done.out, "");
  EXPECT_EQ(RunTool({"convert", "--from", "hex", output}).out, data);

  dir.Write("out", "old content");
  // A fault near the end of a long cipher text, after many pieces were coded.
  std::string text = RunTool({"encrypt", "--keyword", "abc"}, data).out;
  text.insert(text.size() - 10, "!");
  const auto bad = RunTool({"decrypt", "--keyword", "abc", "--output", output}, text);
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("MIME Base 64"), std::string::npos) << bad.err;

  // A file size limit fails the writes in the kernel, as a full disk does.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 100000;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const auto tooLarge = RunTool({"convert", "--to", "hex", "--output", output}, data);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(tooLarge.status, 1);
  EXPECT_EQ(tooLarge.err, "velunor: cannot write " + output + ": File too large\n");

  EXPECT_EQ(RunTool({"convert", "--to", "copy", output}).out, "old content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.PathOf("")),
                          std::filesystem::directory_iterator{}),
            1)
      << "no temporary file is left behind";
}

TEST(Streaming, ProgressOnStandardError) {
  const test::ScratchDirectory dir("streaming-progress");
  const std::string file = dir.Write("data", ByteString(3 << 20, 'x'));
  const auto result = RunTool({"digest", "--progress", file});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("\rvelunor: 3 MiB of 3 MiB (100 %)\n"), std::string::npos)
      << result.err;
  EXPECT_EQ(RunTool({"digest", file}).err, "") << "no progress unasked without a terminal";
}

}  // namespace
}  // namespace velunor
