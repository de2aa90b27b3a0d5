// Whatever the tool writes in a text format it reads back, through every
// command, also after other programs have broken the text into lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/named_formats.h"
#include "cli/run_tool.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using test::RunTool;

// The text formats by name and number; "copy" writes the bytes themselves.
std::vector<std::string> Formats() {
  std::vector<std::string> formats;
  for (const auto& format : test::NamedFormatsWithDefault()) {
    formats.push_back(format.name);
    formats.push_back(format.number);
  }
  return formats;
}

bool IsCopy(const std::string& format) {
  return format == "copy" || format == "1";
}

// The text as another program saves it: lines of `width` characters with
// the given break after each, the last one included.
std::string InLines(std::string text, std::size_t width, const std::string& lineBreak) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  std::string lines;
  for (std::size_t i = 0; i < text.size(); i += width)
    lines += text.substr(i, width) + lineBreak;
  return lines;
}

// The velunor output itself, and re-broken into lines of 61 characters (a
// full UU or XX line) and 76 characters with LF and with CR LF.
std::vector<std::string> Spellings(const std::string& text, const std::string& format) {
  if (IsCopy(format)) return {text};
  return {text, InLines(text, 61, "\n"), InLines(text, 61, "\r\n"), InLines(text, 76, "\n")};
}

TEST(RoundTrip, EveryFormatThroughConvertAndTheCiphers) {
  const ByteString data = test::PatternBytes(200, 7);
  for (const std::string& format : Formats()) {
    const auto text = RunTool({"convert", "--to", format}, data);
    const auto cipher = RunTool({"encrypt", "--keyword", "abc", "--format", format}, data);
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(cipher.status, 0) << cipher.err;
    for (const auto& spelling : Spellings(text.out, format)) {
      SCOPED_TRACE(format + ": " + spelling.substr(0, 70));
      const auto bytes = RunTool({"convert", "--from", format}, spelling);
      EXPECT_EQ(bytes.status, 0) << bytes.err;
      EXPECT_EQ(bytes.out, data);
    }
    for (const auto& spelling : Spellings(cipher.out, format)) {
      SCOPED_TRACE(format + ": " + spelling.substr(0, 70));
      const auto plain = RunTool({"decrypt", "--keyword", "abc", "--format", format}, spelling);
      EXPECT_EQ(plain.status, 0) << plain.err;
      EXPECT_EQ(plain.out, data);
    }
  }
}

TEST(RoundTrip, DigestsReadBackAsTheirBytes) {
  const auto raw = RunTool({"digest", "--format", "copy"}, "abc");
  ASSERT_EQ(raw.out.size(), 33u);
  const ByteString digest = raw.out.substr(0, 32);
  for (const std::string& format : Formats()) {
    if (IsCopy(format)) continue;
    SCOPED_TRACE(format);
    const auto text = RunTool({"digest", "--format", format}, "abc");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(RunTool({"convert", "--from", format}, text.out).out, digest);
  }
}

}  // namespace
}  // namespace velunor
