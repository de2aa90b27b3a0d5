// GOST, IDEA, SAFER, TEA and SCOP beyond their block vectors: short and
// empty keys, SAFER's variants and round counts, the cycle counts of TEA and
// extended TEA, and SCOP's key stream and its restart in every pipeline run.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "cipher/cipher_errors.h"
#include "cipher/cipher_gost.h"
#include "cipher/cipher_idea.h"
#include "cipher/cipher_registry.h"
#include "cipher/cipher_safer.h"
#include "cipher/cipher_scop.h"
#include "cipher/cipher_tea.h"
#include "protection/string_format.h"
#include "support/test_support.h"

namespace velunor {
namespace {

std::int32_t Size(const ByteString& bytes) {
  return static_cast<std::int32_t>(bytes.size());
}

template <class Cipher>
void Key(Cipher& cipher, const ByteString& key, const void* iv = nullptr) {
  cipher.Init(key.data(), Size(key), iv);
}

// `plain` enciphered block by block (cmECB) by an already keyed cipher.
ByteString Ecb(TCipher& cipher, const ByteString& plain) {
  cipher.Mode = cmECB;
  ByteString out(plain.size(), '\0');
  cipher.EncipherBuffer(plain.data(), out.data(), Size(plain));
  return out;
}

// The same by a new cipher of the class keyed with `key`, in hex.
std::string EcbUnder(const TCipherClass& cls, const ByteString& key, const ByteString& plain) {
  ProtectionRef<TCipher> cipher = cls.Create();
  Key(*cipher, key);
  return test::ToHex(Ecb(*cipher, plain));
}

// ---- keys ------------------------------------------------------------------

TEST(CipherFamilyA, ShortKeysAreFilledUpWithZeroBytes) {
  const TCipherClass* const classes[] = {
      &TCipher_Gost::Class(),       &TCipher_IDEA::Class(),       &TCipher_TEA::Class(),
      &TCipher_TEAN::Class(),       &TCipher_SAFER_K64::Class(),  &TCipher_SAFER_SK64::Class(),
      &TCipher_SAFER_K128::Class(), &TCipher_SAFER_SK128::Class()};
  const ByteString plain = test::PatternBytes(32, 3);
  for (const TCipherClass* cls : classes) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    const auto maxKey = static_cast<std::size_t>(cls->CipherInfo().MaxKeySize);
    const ByteString key = test::PatternBytes(5, 7);
    EXPECT_EQ(EcbUnder(*cls, key, plain),
              EcbUnder(*cls, key + ByteString(maxKey - 5, '\0'), plain));
    // An empty key given straight to Init is the all-zero key.
    EXPECT_EQ(EcbUnder(*cls, ByteString(), plain), EcbUnder(*cls, ByteString(maxKey, '\0'), plain));
  }
}

// ---- SAFER -----------------------------------------------------------------

// Published vectors (Crypto++'s saferval.dat and values computed with it and
// with De Moliner's reference code) at round counts other than the defaults.
TEST(CipherSAFER, RoundCountsCanBeSetBeforeOrAfterKeying) {
  struct Vector {
    const TCipherClass* cls;
    std::int32_t rounds;
    const char* key;
    const char* plain;
    const char* cipher;
  };
  const Vector vectors[] = {
      {&TCipher_SAFER_K128::Class(), 12, "08070605040302010807060504030201", "5051525354555657",
       "38e64dbf6e0f896e"},
      {&TCipher_SAFER_K128::Class(), 12, "08070605040302010807060504030201", "58595a5b5c5d5e5f",
       "7d8f014a902480fe"},
      {&TCipher_SAFER_K128::Class(), 12, "01020304050607080807060504030201", "6061626364656667",
       "113511c22e7936df"},
      {&TCipher_SAFER_K128::Class(), 12, "01020304050607080807060504030201", "68696a6b6c6d6e6f",
       "9eeb2d17c0581437"},
      {&TCipher_SAFER_K64::Class(), 10, "0102030405060708", "0102030405060708", "cf5b32737b730b72"},
      {&TCipher_SAFER_SK64::Class(), 8, "0000000000000001", "0102030405060708", "3090a16810da2b3d"},
      {&TCipher_SAFER_SK64::Class(), 8, "0102030405060708", "0102030405060708", "60d04ad7c49b8ded"},
  };
  for (const auto& v : vectors) {
    SCOPED_TRACE(std::string(v.cls->ClassName()) + " key " + v.key + " rounds " +
                 std::to_string(v.rounds));
    for (const bool beforeKeying : {true, false}) {
      const ProtectionRef<TCipher> object = v.cls->Create();
      auto* cipher = static_cast<TCipher_SAFER*>(object.Get());
      if (beforeKeying) cipher->SetRounds(v.rounds);
      Key(*cipher, test::FromHex(v.key));
      if (!beforeKeying) cipher->SetRounds(v.rounds);
      ByteString block = test::FromHex(v.plain);
      cipher->EncipherBlock(BytesOf(block));
      EXPECT_EQ(test::ToHex(block), v.cipher);
      cipher->DecipherBlock(BytesOf(block));
      EXPECT_EQ(test::ToHex(block), v.plain);
    }
  }
}

TEST(CipherSAFER, VariantsAndDefaultRounds) {
  struct Case {
    const TCipherClass* cls;
    std::int32_t variant;
    std::int32_t rounds;
  };
  const Case cases[] = {
      {&TCipher_SAFER_K40::Class(), 1, 5},   {&TCipher_SAFER_K64::Class(), 2, 6},
      {&TCipher_SAFER_K128::Class(), 3, 10}, {&TCipher_SAFER_SK40::Class(), 5, 5},
      {&TCipher_SAFER_SK64::Class(), 6, 6},  {&TCipher_SAFER_SK128::Class(), 7, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.cls->ClassName()));
    const ProtectionRef<TCipher> object = c.cls->Create();
    auto* cipher = static_cast<TCipher_SAFER*>(object.Get());
    EXPECT_EQ(cipher->Rounds(), 0);
    Key(*cipher, test::PatternBytes(16, 1));
    EXPECT_EQ(cipher->Variant(), c.variant);
    EXPECT_EQ(cipher->Rounds(), c.rounds);
    cipher->SetRounds(14);  // out of range: back to the default
    EXPECT_EQ(cipher->Rounds(), c.rounds);
  }
}

// The base class takes the SK variant that fits the key length.
TEST(CipherSAFER, BaseClassChoosesTheStrengthenedVariantByKeyLength) {
  const ByteString plain = test::PatternBytes(16, 9);
  struct Case {
    std::size_t keyLength;
    const TCipherClass* same;
    std::int32_t variant;
  };
  const Case cases[] = {
      {16, &TCipher_SAFER_SK128::Class(), 7}, {9, &TCipher_SAFER_SK128::Class(), 7},
      {8, &TCipher_SAFER_SK64::Class(), 6},   {6, &TCipher_SAFER_SK64::Class(), 6},
      {5, &TCipher_SAFER_SK40::Class(), 5},   {1, &TCipher_SAFER_SK40::Class(), 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE("key of " + std::to_string(c.keyLength));
    const ByteString key = test::PatternBytes(c.keyLength, 4);
    const auto cipher = MakeProtection<TCipher_SAFER>(nullptr);
    Key(*cipher, key);
    EXPECT_EQ(cipher->Variant(), c.variant);
    EXPECT_EQ(test::ToHex(Ecb(*cipher, plain)), EcbUnder(*c.same, key, plain));
  }
  // The published SK-128 vector through the base class.
  const auto cipher = MakeProtection<TCipher_SAFER>(nullptr);
  Key(*cipher, test::FromHex("00000000000000010000000000000001"));
  ByteString block = test::FromHex("0102030405060708");
  cipher->EncipherBlock(BytesOf(block));
  EXPECT_EQ(test::ToHex(block), "414c545ab6994af7");
}

// The 40-bit variants run the 64-bit schedules on the key and three zero
// bytes, with 5 rounds; K and SK differ.
TEST(CipherSAFER, FortyBitVariantsUseTheSixtyFourBitSchedulesWithFiveRounds) {
  const ByteString key = test::PatternBytes(5, 2);
  const ByteString plain = test::PatternBytes(24, 6);
  const ByteString padded = key + ByteString(3, '\0');
  const auto k64 = MakeProtection<TCipher_SAFER_K64>(nullptr);
  k64->SetRounds(5);
  Key(*k64, padded);
  const auto sk64 = MakeProtection<TCipher_SAFER_SK64>(nullptr);
  sk64->SetRounds(5);
  Key(*sk64, padded);
  const std::string k40 = EcbUnder(TCipher_SAFER_K40::Class(), key, plain);
  EXPECT_EQ(k40, test::ToHex(Ecb(*k64, plain)));
  EXPECT_EQ(EcbUnder(TCipher_SAFER_SK40::Class(), key, plain), test::ToHex(Ecb(*sk64, plain)));
  EXPECT_NE(k40, EcbUnder(TCipher_SAFER_SK40::Class(), key, plain));
}

// ---- TEA and extended TEA --------------------------------------------------

// A block enciphered by TEA or extended TEA with the round field set, in hex;
// it must decipher back.
std::string TeaBlock(const TCipherClass& cls, const ByteString& key, const ByteString& plain,
                     std::int32_t rounds) {
  const ProtectionRef<TCipher> object = cls.Create();
  auto* cipher = static_cast<TCipher_TEA*>(object.Get());
  cipher->SetRounds(rounds);
  Key(*cipher, key);
  ByteString block = plain;
  cipher->EncipherBlock(BytesOf(block));
  ByteString back = block;
  cipher->DecipherBlock(BytesOf(back));
  EXPECT_EQ(back, plain);
  return test::ToHex(block);
}

// Big-endian 32-bit words as printed in the published vectors, in the
// little-endian layout of the classes.
ByteString FromBigEndianWords(const char* hex) {
  ByteString bytes = test::FromHex(hex);
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    std::swap(bytes[i], bytes[i + 3]);
    std::swap(bytes[i + 1], bytes[i + 2]);
  }
  return bytes;
}

// The round field sets the cycle count: tests/data/tea-rounds.txt, records
// CLASS ROUNDS KEYHEX PLAINHEX CIPHERHEX.
TEST(CipherTEA, RoundsFollowTheirOwnDefinitionAndCycleCount) {
  const auto records = test::ReadDataRecords("tea-rounds.txt");
  ASSERT_FALSE(records.empty());
  for (const auto& f : records) {
    ASSERT_EQ(f.size(), 5u);
    SCOPED_TRACE(f[0] + " round field " + f[1]);
    const TCipherClass* cls = FindCipherClass(f[0]);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(TeaBlock(*cls, test::FromHex(f[2]), test::FromHex(f[3]), std::stoi(f[1])), f[4]);
  }
}

TEST(CipherTEA, NewObjectsRunSixteenCyclesAndTheTwoClassesDiffer) {
  const auto tea = MakeProtection<TCipher_TEA>(nullptr);
  EXPECT_EQ(tea->Cycles(), 16u);
  const ByteString key = test::PatternBytes(16, 1);
  const ByteString plain = test::PatternBytes(8, 2);
  const std::string byTea = TeaBlock(TCipher_TEA::Class(), key, plain, 0);
  EXPECT_EQ(byTea, TeaBlock(TCipher_TEA::Class(), key, plain, 16));
  EXPECT_NE(byTea, TeaBlock(TCipher_TEA::Class(), key, plain, 17));
  EXPECT_NE(byTea, TeaBlock(TCipher_TEAN::Class(), key, plain, 0));
}

// Published TEA and XTEA vectors (32 cycles) do not hold for these rounds.
TEST(CipherTEA, RoundsDifferFromThePublishedOnes) {
  EXPECT_NE(TeaBlock(TCipher_TEA::Class(), ByteString(16, '\0'), ByteString(8, '\0'), 32),
            test::ToHex(FromBigEndianWords("41ea3a0a94baa940")));
  EXPECT_NE(TeaBlock(TCipher_TEAN::Class(), FromBigEndianWords("00112233445566778899aabbccddeeff"),
                     FromBigEndianWords("fefefefefefefefe"), 32),
            test::ToHex(FromBigEndianWords("36552e889d6a41cf")));
}

// ---- SCOP ------------------------------------------------------------------

// The key stream right after the key set-up, from the designers' demo code:
// the first 8 words (little-endian) and the xor of the first 1024 words.
TEST(CipherSCOP, KeyStreamOfTheDesignersCode) {
  struct Vector {
    const char* key;
    const char* firstWords;
    std::uint32_t xorOf1024;
  };
  const Vector vectors[] = {
      {"000102030405060708090a0b0c0d0e0f",
       "ce5d5f193d3b9d41f06c6135c3a3f66dbe0d798d58200d5d21a2727ba6b998af", 0xf4db7f3f},
      {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f2021222324252627"
       "28292a2b2c2d2e2f",
       "e2ee660b62e416934a31c17c949a93e05692a0d5a8d4971a4a9e94929823f1e5", 0xeba54b32},
      {"0102030405", "13d88aea8eda12612414124244b30d3e25bb26b4c86a920c9632cbc8f222e0e3",
       0x17eec58c},
      {"6162636465666768696a6b6c6d6e6f707172737475767778797a",
       "5a80ff9db81301f4ac188bb0da11fb827c9ef682ece2bb19020080152c993e58", 0x4118c325},
  };
  for (const auto& v : vectors) {
    SCOPED_TRACE(v.key);
    const auto cipher = MakeProtection<TCipher_SCOP>(nullptr);
    // With an initial vector given, keying draws nothing from the stream.
    const ByteString iv(128, '\0');
    Key(*cipher, test::FromHex(v.key), iv.data());
    std::uint32_t xorOfWords = 0;
    for (int block = 0; block < 32; ++block) {
      ByteString stream(128, '\0');
      cipher->EncipherBlock(BytesOf(stream));
      if (block == 0) {
        EXPECT_EQ(test::ToHex(stream.substr(0, 32)), v.firstWords);
      }
      for (std::size_t i = 0; i < stream.size(); i += 4) {
        std::uint32_t word;
        std::memcpy(&word, stream.data() + i, 4);
        xorOfWords ^= word;
      }
    }
    EXPECT_EQ(xorOfWords, v.xorOf1024);
  }
}

// Without an initial vector the first key-stream block goes into the IV:
// each of its words is FFFFFFFF plus a key-stream word.
TEST(CipherSCOP, DefaultInitialVectorDrawsTheFirstBlock) {
  const ByteString key = test::FromHex("0102030405");
  const auto withIV = MakeProtection<TCipher_SCOP>(nullptr);
  const ByteString zeros(128, '\0');
  Key(*withIV, key, zeros.data());
  ByteString expected(128, '\xFF');
  withIV->EncipherBlock(BytesOf(expected));
  const auto plain = MakeProtection<TCipher_SCOP>(nullptr);
  Key(*plain, key);
  EXPECT_EQ(test::ToHex(MakeByteString(plain->InitVector(), 128)), test::ToHex(expected));
}

TEST(CipherSCOP, EveryPipelineRunRestartsTheKeyStream) {
  const auto cipher = MakeProtection<TCipher_SCOP>(nullptr);
  cipher->InitKey("keyword", nullptr);
  const ByteString plain = test::PatternBytes(3 * 4096 + 77, 8);
  for (const TCipherMode mode : {cmCTS, cmCBC, cmCFB, cmOFB, cmECB}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    cipher->Mode = mode;
    ByteString first = plain;
    cipher->ProcessMemory(first.data(), Size(first), caEncode);
    ByteString second = plain;
    cipher->ProcessMemory(second.data(), Size(second), caEncode);
    EXPECT_EQ(first, second);
    const ByteString text = cipher->ProcessText(plain, caEncode, sfCopy);
    EXPECT_EQ(text, cipher->ProcessText(plain, caEncode, sfCopy));
    EXPECT_EQ(text, first);
    // Direct calls run the stream on; a pipeline run starts it again.
    ByteString direct(plain.size(), '\0');
    cipher->EncipherBuffer(plain.data(), direct.data(), Size(plain));
    cipher->EncipherBuffer(plain.data(), direct.data(), Size(plain));
    EXPECT_NE(direct, first);
    EXPECT_EQ(cipher->ProcessText(first, caDecode, sfCopy), plain);
  }
}

TEST(CipherSCOP, OneByteKeyIsTheByteAndAZeroByte) {
  const ByteString plain = test::PatternBytes(256, 4);
  for (const char byte : {'\0', '\x01', '\xA5'}) {
    const ByteString key(1, byte);
    EXPECT_EQ(EcbUnder(TCipher_SCOP::Class(), key, plain),
              EcbUnder(TCipher_SCOP::Class(), key + '\0', plain));
  }
  // Not the byte repeated, and different bytes give different streams.
  EXPECT_NE(EcbUnder(TCipher_SCOP::Class(), "\x01", plain),
            EcbUnder(TCipher_SCOP::Class(), "\x01\x01", plain));
  EXPECT_NE(EcbUnder(TCipher_SCOP::Class(), "\x01", plain),
            EcbUnder(TCipher_SCOP::Class(), "\x02", plain));
}

TEST(CipherSCOP, EmptyKeyIsRefused) {
  const auto cipher = MakeProtection<TCipher_SCOP>(nullptr);
  Key(*cipher, test::FromHex("0102"));
  for (const std::int32_t length : {0, -1}) {
    try {
      cipher->Init("", length, nullptr);
      ADD_FAILURE() << "an empty key was accepted";
    } catch (const ECipherException& e) {
      EXPECT_EQ(e.FaultCode, kFaultKeyLength);
      EXPECT_NE(std::string(e.what()).find("TCipher_SCOP"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(cipher->HasStateFlag(TCipher::kInitialized));
  }
}

}  // namespace
}  // namespace velunor
