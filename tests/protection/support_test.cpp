// Word routines, byte ranges, the random generator, the CRCs, class names and
// the message table.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "cipher/cipher_errors.h"
#include "protection/protection.h"
#include "protection/protection_errors.h"
#include "protection/string_format_mime64.h"
#include "protection/string_format_xx.h"
#include "runtime/messages.h"
#include "runtime/support.h"
#include "support/test_support.h"

namespace velunor {
namespace {

TEST(Support, Rotations) {
  struct Case {
    std::uint32_t value, shift, left, right;
  };
  const Case cases[] = {
      {0x80000001u, 1, 0x00000003u, 0xC0000000u},  {0x00000003u, 1, 0x00000006u, 0x80000001u},
      {0x12345678u, 0, 0x12345678u, 0x12345678u},  {0x12345678u, 32, 0x12345678u, 0x12345678u},
      {0x12345678u, 36, 0x23456781u, 0x81234567u}, {0x12345678u, 31, 0x091A2B3Cu, 0x2468ACF0u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    SCOPED_TRACE(c.shift);
    EXPECT_EQ(RotateLeft32(c.value, c.shift), c.left);
    EXPECT_EQ(RotateRight32(c.value, c.shift), c.right);
  }
}

TEST(Support, BitOrder) {
  const std::pair<std::uint32_t, std::uint32_t> reversals[] = {
      {0x00000001u, 0x80000000u}, {0x0000000Fu, 0xF0000000u}, {0x80000000u, 0x00000001u},
      {0x12345678u, 0x1E6A2C48u}, {0xFFFFFFFFu, 0xFFFFFFFFu}, {0u, 0u},
  };
  for (const auto& [value, reversed] : reversals)
    EXPECT_EQ(ReverseBits32(value), reversed) << value;
}

TEST(Support, CompareBytes) {
  struct Case {
    const char* a;
    const char* b;
    std::int32_t count, result;
  };
  const Case cases[] = {
      {"abc", "abd", 3, -1},      {"abc", "abd", 2, 0},     {"abd", "abc", 3, 1},
      {"x", "y", 0, 0},           {"\xFF", "\x00", 1, 255}, {"\x00", "\xFF", 1, -255},
      {"a\x80z", "a\x7Fz", 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a);
    EXPECT_EQ(CompareBytes(c.a, c.b, c.count), c.result);
  }
}

TEST(Support, XorBytesInPlaceAndSeparate) {
  const ByteString a = test::PatternBytes(16, 1);
  const ByteString b = test::PatternBytes(16, 2);
  for (std::int32_t count : {-5, 0, 1, 3, 4, 7, 8, 13}) {
    SCOPED_TRACE(count);
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    ByteString xored = a;
    for (std::size_t i = 0; i < n; ++i)
      xored[i] ^= b[i];

    ByteString inPlaceA = a;
    XorBytes(inPlaceA.data(), b.data(), count, inPlaceA.data());
    EXPECT_EQ(inPlaceA, xored);

    ByteString inPlaceB = b;
    XorBytes(a.data(), inPlaceB.data(), count, inPlaceB.data());
    EXPECT_EQ(inPlaceB, xored.substr(0, n) + b.substr(n));
  }
}

TEST(Support, RandomizeBuffer) {
  EXPECT_EQ(RandomizeBuffer(1234u, nullptr, 10), 1234u);
  std::uint8_t byte = 0;
  EXPECT_EQ(RandomizeBuffer(0u, &byte, 0), 0u);
  EXPECT_EQ(RandomizeBuffer(0u, &byte, -1), 0u);

  byte = 0;
  EXPECT_EQ(RandomizeBuffer(0u, &byte, 1), 1u);
  EXPECT_EQ(byte, 0);

  byte = 1;
  EXPECT_EQ(RandomizeBuffer(0u, &byte, 1), 134775814u);
  EXPECT_EQ(byte, 8);

  // Each byte feeds the seed before the step: two zero bytes from seed 0.
  std::array<std::uint8_t, 2> pair{0, 0};
  EXPECT_EQ(RandomizeBuffer(0u, pair.data(), 2), 134775814u);
  EXPECT_EQ(pair, (std::array<std::uint8_t, 2>{0, 8}));
}

TEST(Support, ShortClassName) {
  const std::pair<const char*, const char*> names[] = {
      {"TStringFormat_MIME64", "MIME64"},
      {"THash_RipeMD256", "RipeMD256"},
      {"TCipher_Blowfish", "Blowfish"},
      {"TProtection", "TProtection"},
      {"TA_B_C", "B_C"},
      {"_", ""},
  };
  for (const auto& [name, shortName] : names)
    EXPECT_EQ(ShortClassName(name), shortName) << name;
  EXPECT_EQ(ShortClassName(TStringFormat_XX::Class()), "XX");
}

// A protection class of its own, to see IsInstanceOf follow the parents.
class TProtection_Probe : public TProtection {
 public:
  static const TClass& Class() {
    static const TClass cls("TProtection_Probe", &TProtection::Class());
    return cls;
  }
  const TClass& ClassType() const override { return Class(); }

 protected:
  TProtection_Probe() : TProtection(nullptr) {}
};

TEST(Support, IsInstanceOf) {
  const auto base = MakeProtection<TProtection>(nullptr);
  const auto probe = MakeProtection<TProtection_Probe>();
  EXPECT_FALSE(IsInstanceOf(nullptr, TProtection::Class()));
  EXPECT_FALSE(IsInstanceOf(nullptr, TProtection_Probe::Class()));
  EXPECT_TRUE(IsInstanceOf(base.Get(), TProtection::Class()));
  EXPECT_FALSE(IsInstanceOf(base.Get(), TProtection_Probe::Class()));
  EXPECT_TRUE(IsInstanceOf(probe.Get(), TProtection::Class()));
  EXPECT_TRUE(IsInstanceOf(probe.Get(), TProtection_Probe::Class()));
  EXPECT_FALSE(IsInstanceOf(probe.Get(), TStringFormat::Class()));
}

// The library's message table, kept by the layers that raise its messages
// (the format names stand with the formats: TextFormats.RegistryHoldsTheSixFormatsInOrder).
TEST(Support, MessageTexts) {
  struct Case {
    TMessage message;
    std::string text;
    std::int32_t number;
    std::string expected;
  };
  const Case cases[] = {
      {kCircularProtection, FormatMessage(kCircularProtection), 65312,
       "Circular Protection detected, Protection Object is invalid."},
      {kFormatNotExists, FormatMessage(kFormatNotExists, {7}), 65313,
       "String Format \"7\" not exists."},
      {kFormatNotExists, FormatMessage(kFormatNotExists, {-1}), 65313,
       "String Format \"-1\" not exists."},
      {kInvalidFormatInput, FormatMessage(kInvalidFormatInput, {"MIME Base 64"}), 65314,
       "Input is not an valid MIME Base 64 Format."},
      {kCannotConvertToFormat, FormatMessage(kCannotConvertToFormat, {"UU Coding"}), 65315,
       "Input can not be convert to UU Coding Format."},
      {kInvalidKeyLength, FormatMessage(kInvalidKeyLength, {"Blowfish", 1, 56}), 65322,
       "Length from Encryptionkey is invalid.\r\nKeysize for Blowfish must be to 1-56 bytes"},
      {kCipherNotInitialized, FormatMessage(kCipherNotInitialized, {"TCipher_Blowfish"}), 65323,
       "TCipher_Blowfish is not initialized call Init() or InitKey() before."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, c.expected);
    EXPECT_EQ(c.message.number, c.number) << c.expected;
  }
}

}  // namespace
}  // namespace velunor
