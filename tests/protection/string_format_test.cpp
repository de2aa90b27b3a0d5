// The text formats, the format registry and the two conversions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protection/format_registry.h"
#include "protection/protection_errors.h"
#include "protection/string_format_hexl.h"
#include "protection/string_format_mime64.h"
#include "protection/string_format_xx.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using namespace std::string_literals;

// The registered formats that write text (all but the copy format).
std::vector<std::int32_t> TextFormats() {
  std::vector<std::int32_t> numbers;
  for (const TStringFormat* format : RegisteredFormats()) {
    if (!format->Alphabet().empty()) numbers.push_back(format->FormatNumber());
  }
  return numbers;
}

// The message of the EStringFormat that `convert` raises, or "" when it raises none.
template <class Convert>
std::string FormatError(Convert convert) {
  try {
    convert();
  } catch (const EStringFormat& e) {
    return e.Message();
  }
  return "";
}

TEST(TextFormats, RegistryHoldsTheSixFormatsInOrder) {
  struct Expected {
    std::int32_t number;
    const char* name;
    const char* optionName;
  };
  const Expected expected[] = {{sfCopy, "copy Input to Output", "copy"},
                               {sfHex, "Hexadecimal", "hex"},
                               {sfHexLower, "Hexadecimal lowercase", "hexl"},
                               {sfBase64, "MIME Base 64", "base64"},
                               {sfUU, "UU Coding", "uu"},
                               {sfXX, "XX Coding", "xx"}};
  const auto formats = RegisteredFormats();
  ASSERT_EQ(formats.size(), std::size(expected));
  for (std::size_t i = 0; i < formats.size(); ++i) {
    EXPECT_EQ(formats[i]->FormatNumber(), expected[i].number);
    EXPECT_EQ(formats[i]->FormatName(), expected[i].name);
    EXPECT_EQ(formats[i]->OptionName(), expected[i].optionName);
    EXPECT_EQ(FindFormat(expected[i].number), formats[i]);
  }
  EXPECT_EQ(FindFormat(sfDefault), &TStringFormat_MIME64::Class());
  EXPECT_EQ(FindFormat(sfNone), nullptr);
  EXPECT_EQ(FindFormat(7), nullptr);
}

TEST(TextFormats, NoneAbsentOrEmptyGiveEmptyWithoutLookup) {
  for (const std::int32_t number : {sfNone, sfHex, 7}) {
    SCOPED_TRACE(number);
    EXPECT_EQ(BytesToText(nullptr, 5, number), "");
    EXPECT_EQ(TextToBytes(nullptr, 5, number), "");
    EXPECT_EQ(BytesToText("abc", 0, number), "");
    EXPECT_EQ(TextToBytes("abc", 0, number), "");
    EXPECT_EQ(BytesToText("", -1, number), "");
  }
  EXPECT_EQ(BytesToText("abc", 3, sfNone), "");
  EXPECT_EQ(TextToBytes("YWJj", 4, sfNone), "");
}

TEST(TextFormats, NegativeLengthEndsAtFirstZeroByte) {
  EXPECT_EQ(BytesToText("ab\0cd", -1, sfHex), "6162");
  EXPECT_EQ(TextToBytes("6162\0"
                        "63",
                        -1, sfHex),
            "ab");
}

TEST(TextFormats, DefaultIsBase64) {
  const ByteString data = test::PatternBytes(100);
  EXPECT_EQ(BytesToText(data, sfDefault), BytesToText(data, sfBase64));
  EXPECT_EQ(TextToBytes("YWJj", sfDefault), "abc");
}

TEST(TextFormats, UnknownNumberRaises65313) {
  EXPECT_EQ(FormatError([] { BytesToText("abc", 7); }), "String Format \"7\" not exists.");
  EXPECT_EQ(FormatError([] { TextToBytes("abc", 7); }), "String Format \"7\" not exists.");
  EXPECT_EQ(FormatError([] { TextToBytes("abc", -2); }), "String Format \"-2\" not exists.");
}

TEST(TextFormats, Renderings) {
  struct Case {
    std::int32_t number;
    ByteString data, text;
  };
  const Case cases[] = {
      {sfCopy, "a\0b"s, "a\0b"s},       {sfHex, "\xAB\xCD", "ABCD"},
      {sfHexLower, "\xAB\xCD", "abcd"}, {sfHex, "\x00\x0F"s, "000F"},
      {sfBase64, "abc", "YWJj"},        {sfBase64, "ab", "YWI="},
      {sfBase64, "a", "YQ=="},          {sfBase64, "abcd", "YWJjZA=="},
      {sfUU, "abc", "#86)C"},           {sfUU, "a", "!80``"},
      {sfXX, "abc", "1MK7X"},           {sfXX, "a", "-ME++"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    SCOPED_TRACE(c.text);
    EXPECT_EQ(BytesToText(c.data, c.number), c.text);
    EXPECT_EQ(TextToBytes(c.text, c.number), c.data);
  }
}

TEST(TextFormats, UUAndXXBreakLinesAfter45BytesWithoutLineBreaks) {
  const ByteString data = test::PatternBytes(46);
  for (const std::int32_t number : {sfUU, sfXX}) {
    SCOPED_TRACE(number);
    const ByteString text = BytesToText(data, number);
    const std::string_view digits = FindFormat(number)->Alphabet();
    ASSERT_EQ(text.size(), 61u + 5u);
    EXPECT_EQ(text[0], digits[45]);
    EXPECT_EQ(text[61], digits[1]);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(TextToBytes(text, number), data);
  }
}

TEST(TextFormats, EveryShortByteStringRoundTrips) {
  for (std::size_t length = 0; length <= 200; ++length) {
    const ByteString contents[] = {
        ByteString(length, '\0'), ByteString(length, '\xFF'), test::PatternBytes(length, 7),
        test::PatternBytes(length, static_cast<std::uint32_t>(length) + 1000)};
    for (const ByteString& data : contents) {
      for (const std::int32_t number : TextFormats()) {
        const ByteString text = BytesToText(data, number);
        ASSERT_EQ(TextToBytes(text, number), data) << "format " << number << ", length " << length;
      }
    }
  }
}

TEST(TextFormats, HexReadingSkipsSeparatorsAndRestartsAtFirstMarker) {
  const std::pair<const char*, const char*> cases[] = {
      {"0x1234", "1234"}, {"$1234", "1234"},           {"12$34", "34"}, {"12 34", "1234"},
      {"X12x34", "1234"}, {"ab:CD-ef", "abcdef"},      {"123", "12"},   {"(1f)[2E]{3d}", "1f2e3d"},
      {"12h", "12"},      {"\"a\tb\r\nc'd\"", "abcd"}, {"x", ""},
  };
  for (const std::int32_t number : {sfHex, sfHexLower}) {
    for (const auto& [text, hex] : cases) {
      EXPECT_EQ(test::ToHex(TextToBytes(text, number)), hex) << number << ": " << text;
    }
  }
}

TEST(TextFormats, HexRefusesForeignCharacters) {
  EXPECT_EQ(FormatError([] { TextToBytes("12g4", sfHex); }),
            "Input is not an valid Hexadecimal Format.");
  EXPECT_EQ(FormatError([] { TextToBytes("12.4", sfHexLower); }),
            "Input is not an valid Hexadecimal lowercase Format.");
}

TEST(TextFormats, Base64SkipsPunctuationAndBlanks) {
  const std::string skipped = " \t\r\n$()[]{},;:-_\\*\"'";
  for (const char c : skipped) {
    for (const std::size_t at : {0u, 3u, 6u, 8u}) {
      std::string text = "YWJjZA==";
      text.insert(at, 2, c);
      EXPECT_EQ(TextToBytes(text, sfBase64), "abcd") << "character " << int(c) << " at " << at;
    }
  }
}

TEST(TextFormats, Base64RefusesForeignCharacters) {
  for (const ByteString& text : {"YWJj!"s, "YW\x01Jj"s, "YWJj\xE9"s, "YW.Jj"s, "YWJj\0"s}) {
    EXPECT_EQ(FormatError([&] { TextToBytes(text, sfBase64); }),
              "Input is not an valid MIME Base 64 Format.")
        << text;
  }
}

TEST(TextFormats, Base64PaddingRules) {
  const std::pair<std::string, ByteString> cases[] = {
      {"YWJjZA", "abcd"}, {"YWJjZA=", "abcd"}, {"YWJjZ", "abc"}, {"YWJj\r\n", "abc"},
      {"YWI", "ab"},      {"YQ", "a"},         {"Y", ""},        {"=", ""},
      {"====", ""},       {"YWJj====", "ab"},  {"YQ======", ""}, {"YQ==YWJj", "a\0\0a"s},
  };
  for (const auto& [text, bytes] : cases)
    EXPECT_EQ(TextToBytes(text, sfBase64), bytes) << text;
}

TEST(TextFormats, UUAndXXRefuseLineBreaksAndLongLines) {
  struct Case {
    std::int32_t number;
    std::string text;
  };
  const Case refused[] = {
      {sfUU, "#86)C\r\n"}, {sfXX, "1MK7X\n"}, {sfUU, "N" + std::string(64, 'A')},
      {sfUU, "#86)"},      {sfUU, "#86)C!"},  {sfXX, "1MK7X~"},
      {sfUU, " #86)C"},    {sfXX, "z"},
  };
  for (const auto& c : refused) {
    const std::string name = c.number == sfUU ? "UU Coding" : "XX Coding";
    EXPECT_EQ(FormatError([&] { TextToBytes(c.text, c.number); }),
              "Input is not an valid " + name + " Format.")
        << c.text;
  }
  // Blanks inside a line are skipped.
  EXPECT_EQ(TextToBytes("#8 6)\tC", sfUU), "abc");
  EXPECT_EQ(TextToBytes("!80", sfUU), "a");
}

// A format class of the tests only: it takes the number of the hex format and
// keeps the display name that its class name gives.
class TStringFormat_Probe final : public TStringFormat {
 public:
  static const TStringFormat_Probe& Class() {
    static const TStringFormat_Probe cls("TStringFormat_Probe", &TStringFormat::Class());
    return cls;
  }
  std::int32_t FormatNumber() const override { return sfHex; }

 private:
  using TStringFormat::TStringFormat;
};

class TStringFormat_Unnumbered final : public TStringFormat {
 public:
  static const TStringFormat_Unnumbered& Class() {
    static const TStringFormat_Unnumbered cls("TStringFormat_Unnumbered", &TStringFormat::Class());
    return cls;
  }
  std::int32_t FormatNumber() const override { return sfDefault; }

 private:
  using TStringFormat::TStringFormat;
};

TEST(TextFormats, RegisteringATakenNumberReplacesInPlace) {
  const auto before = RegisteredFormats();
  RegisterFormats({nullptr, &TStringFormat_Probe::Class(), &TStringFormat_Unnumbered::Class()});
  const auto replaced = RegisteredFormats();
  RegisterFormats({&TStringFormat_HEX::Class()});  // restore before checking

  ASSERT_EQ(replaced.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(replaced[i], i == 1 ? &TStringFormat_Probe::Class() : before[i]) << i;
  }
  EXPECT_EQ(TStringFormat_Probe::Class().FormatName(), "Probe");
  EXPECT_EQ(RegisteredFormats(), before);
}

// A class below a library format that has no identity of its own goes by its
// parent's number and name, but is no option of the command line.
class TStringFormat_HexChild final : public TStringFormat_HEX {
 public:
  static const TStringFormat_HexChild& Class() {
    static const TStringFormat_HexChild cls("TStringFormat_HexChild", &TStringFormat_HEX::Class());
    return cls;
  }

 private:
  using TStringFormat_HEX::TStringFormat_HEX;
};

TEST(TextFormats, AClassWithoutIdentityGoesByItsParents) {
  const TStringFormat& child = TStringFormat_HexChild::Class();
  EXPECT_EQ(child.FormatNumber(), sfHex);
  EXPECT_EQ(child.FormatName(), "Hexadecimal");
  EXPECT_EQ(child.OptionName(), "");
  EXPECT_EQ(TStringFormat_Probe::Class().OptionName(), "");
}

}  // namespace
}  // namespace velunor
