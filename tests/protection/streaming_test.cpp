// The streaming text coders and the streaming coding pipeline against the
// whole-string conversions and ProcessText: same output, same errors, for
// input cut into random pieces around every boundary of the formats and of
// the pipeline.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "cipher/cipher_3way.h"
#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_square.h"
#include "protection/coding_sink.h"
#include "protection/format_registry.h"
#include "protection/hex_text_coder.h"
#include "protection/protection_errors.h"
#include "support/hostile_base64.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// sfNone and every registered format.
std::vector<std::int32_t> Formats() {
  std::vector<std::int32_t> numbers{sfNone};
  for (const TStringFormat* format : RegisteredFormats())
    numbers.push_back(format->FormatNumber());
  return numbers;
}

// Lengths around the groups of base 64 (3 bytes, 4 characters), the lines of
// UU and XX (45 bytes), the cipher blocks (8, 12, 16) and the pipeline's
// 4096-byte pieces.
std::vector<std::size_t> BoundaryLengths(std::mt19937& random) {
  std::vector<std::size_t> lengths;
  for (const std::size_t edge : {0u, 3u, 4u, 8u, 12u, 16u, 45u, 90u, 4096u, 8192u}) {
    for (std::size_t at = edge > 2 ? edge - 2 : 0; at <= edge + 2; ++at)
      lengths.push_back(at);
  }
  for (int i = 0; i < 6; ++i)
    lengths.push_back(std::uniform_int_distribution<std::size_t>(0, 20000)(random));
  return lengths;
}

// The result of a conversion, or the message of the EStringFormat it raised.
struct Outcome {
  ByteString output;
  std::string error;
  bool operator==(const Outcome&) const = default;
};

template <class Convert>
Outcome Catch(Convert convert) {
  try {
    return {convert(), ""};
  } catch (const EStringFormat& e) {
    return {"", e.Message()};
  }
}

// Feeds `input` to `sink` in pieces of random sizes, mostly small, then finishes it.
void FeedInPieces(ByteSink& sink, std::string_view input, std::mt19937& random) {
  std::size_t at = 0;
  while (at < input.size()) {
    const std::size_t limit = random() % 4 == 0 ? 5000 : 7;
    const std::size_t n =
        std::min(input.size() - at, std::uniform_int_distribution<std::size_t>(0, limit)(random));
    sink.Write(BytesOf(input.substr(at, n)), n);
    at += n;
  }
  sink.Finish();
}

template <class MakeCoder>
Outcome Streamed(std::string_view input, std::mt19937& random, MakeCoder make) {
  return Catch([&] {
    ByteString output;
    StringSink sink(output);
    const std::unique_ptr<ByteSink> coder = make(sink);
    FeedInPieces(*coder, input, random);
    return output;
  });
}

// Text as a user may hand it over: the format's own output with characters
// of its alphabet (blanks, line breaks, pads, markers) and now and then a
// foreign one inserted at random places.
ByteString Roughen(ByteString text, std::int32_t number, std::mt19937& random) {
  const TStringFormat* format = FindFormat(number);
  const std::string alphabet = format ? std::string(format->Alphabet()) + "!~\x80" : "!";
  const int insertions = static_cast<int>(random() % 4);
  for (int i = 0; i < insertions; ++i) {
    const std::size_t at = random() % (text.size() + 1);
    text.insert(at, 1, alphabet[random() % alphabet.size()]);
  }
  return text;
}

TEST(Streaming, TextCodersMatchTheWholeStringConversions) {
  std::mt19937 random(20261208);
  for (const std::size_t length : BoundaryLengths(random)) {
    const ByteString data = test::PatternBytes(length, static_cast<std::uint32_t>(length));
    for (const std::int32_t number : Formats()) {
      SCOPED_TRACE("format " + std::to_string(number) + ", length " + std::to_string(length));
      const ByteString text = BytesToText(data, number);
      const auto encoder = [&](ByteSink& s) { return NewTextEncoder(number, s); };
      ASSERT_EQ(Streamed(data, random, encoder), (Outcome{text, ""}));
      for (int variant = 0; variant < 4; ++variant) {
        const ByteString input = variant == 0 ? text : Roughen(text, number, random);
        ASSERT_EQ(Streamed(input, random, [&](ByteSink& s) { return NewTextDecoder(number, s); }),
                  Catch([&] { return TextToBytes(input, number); }))
            << "text " << input;
      }
    }
  }
}

TEST(Streaming, DecodersRaiseTheConversionsErrors) {
  struct Case {
    std::int32_t number;
    ByteString text;
    const char* error;
  };
  const Case cases[] = {
      {sfHex, "12g4", "Input is not an valid Hexadecimal Format."},
      {sfHexLower, "12.4", "Input is not an valid Hexadecimal lowercase Format."},
      {sfBase64, "YWJj!", "Input is not an valid MIME Base 64 Format."},
      {sfBase64, std::string("YW\0Jj", 5), "Input is not an valid MIME Base 64 Format."},
      {sfUU, "#86)C\r\n", "Input is not an valid UU Coding Format."},
      {sfUU, "#86)", "Input is not an valid UU Coding Format."},
      {sfXX, "z", "Input is not an valid XX Coding Format."},
      {7, "abc", "String Format \"7\" not exists."},
      // A first prefix marker after the held-back output cannot take it back.
      {sfHex, std::string(4 * HexDecoder::kHoldBack, '0') + "x12",
       "Input is not an valid Hexadecimal Format."},
  };
  std::mt19937 random(7);
  for (const auto& c : cases) {
    EXPECT_EQ(
        Streamed(c.text, random, [&](ByteSink& s) { return NewTextDecoder(c.number, s); }).error,
        c.error)
        << c.text.substr(0, 20);
  }
  // Within the held-back output a late marker still restarts, as in the whole text.
  const ByteString marked = std::string(2 * HexDecoder::kHoldBack - 2, '0') + "$12";
  EXPECT_EQ(Streamed(marked, random, [](ByteSink& s) { return NewTextDecoder(sfHex, s); }),
            (Outcome{"\x12", ""}));
}

// A short text mostly of "=" signs, line breaks and a few repeated digits:
// the groups that "=" signs can still reach are held back, often many.
std::string PadHeavyText(std::mt19937& random) {
  static constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::size_t length = random() % 8 == 0 ? random() % 5000 : random() % 100;
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    const std::string_view pool = "=====AQ\n ";
    const std::size_t at = random() % (pool.size() + 1);
    text += at < pool.size() ? pool[at] : kDigits[random() % 64];
  }
  return text;
}

TEST(Streaming, Base64DecoderFollowsTheRuleOnHostileText) {
  std::mt19937 random(1208);
  std::vector<std::string> texts = {
      std::string(100000, '='),
      test::Repeated("====\n", 30000),
      test::Repeated("YWI=\n", 30000),
      test::Repeated("====", 3000) + test::Repeated("QUJD", 4000),
      // Beyond the runs that the decoder keeps in memory.
      test::DistinctPaddedLines(400000, 0),
      test::DistinctPaddedLines(400000, 400000 / 6),
      test::DistinctPaddedLines(400000, 400000 / 3 + 10),
  };
  for (int i = 0; i < 3000; ++i)
    texts.push_back(PadHeavyText(random));
  for (const std::string& text : texts) {
    const ByteString expected = test::Base64ByTheRule(text);
    const auto decoder = [](ByteSink& s) { return NewTextDecoder(sfBase64, s); };
    ASSERT_EQ(Streamed(text, random, decoder), (Outcome{expected, ""}))
        << text.substr(0, 60) << " (" << text.size() << " characters)";
    ASSERT_EQ(TextToBytes(text, sfBase64), expected) << text.substr(0, 60);
  }
}

ProtectionRef<TCipher> Keyed(const TCipherClass& cls, TCipherMode mode) {
  ProtectionRef<TCipher> cipher = cls.Create();
  cipher->InitKey("Schlüssel", nullptr);
  cipher->Mode = mode;
  return cipher;
}

// Blowfish, 3-Way and Square have blocks of 8, 12 and 16 bytes; 3-Way's
// blocks end inside every 4096-byte piece.
TEST(Streaming, PipelineMatchesProcessTextForEveryModeAndFormat) {
  const TCipherClass* classes[] = {&TCipher_Blowfish::Class(), &TCipher_3Way::Class(),
                                   &TCipher_Square::Class()};
  std::mt19937 random(42);
  const std::vector<std::size_t> lengths = BoundaryLengths(random);
  for (const TCipherClass* cls : classes) {
    for (int mode = cmCTS; mode <= cmCFBMAC; ++mode) {
      for (const std::int32_t number : Formats()) {
        for (const TCodeAction action : {caEncode, caDecode}) {
          const std::size_t length = lengths[random() % lengths.size()];
          SCOPED_TRACE(std::string(cls->ClassName()) + " mode " + std::to_string(mode) +
                       " format " + std::to_string(number) + " action " + std::to_string(action) +
                       " length " + std::to_string(length));
          ByteString input = test::PatternBytes(length, static_cast<std::uint32_t>(mode));
          if (action == caDecode) input = BytesToText(input, number);
          const auto whole = Keyed(*cls, static_cast<TCipherMode>(mode));
          const auto streamed = Keyed(*cls, static_cast<TCipherMode>(mode));
          ASSERT_EQ(Streamed(input, random,
                             [&](ByteSink& s) {
                               return std::make_unique<CodingPipeline>(*streamed, action, number,
                                                                       s);
                             }),
                    Catch([&] { return whole->ProcessText(input, action, number); }));
        }
      }
    }
  }
}

}  // namespace
}  // namespace velunor
