// Q128, 3-Way, Twofish, SHARK and Square beyond their block vectors: how short
// keys are padded, that the several-blocks-at-once paths agree with the single
// block steps, and 3-Way's 12-byte block in pipeline runs that cut it.
#include <gtest/gtest.h>

#include <memory>

#include "cipher/cipher_3way.h"
#include "cipher/cipher_q128.h"
#include "cipher/cipher_shark.h"
#include "cipher/cipher_square.h"
#include "cipher/cipher_twofish.h"
#include "runtime/streams.h"
#include "support/test_support.h"

namespace velunor {
namespace {

const TCipherClass* const kClasses[] = {&TCipher_Q128::Class(), &TCipher_3Way::Class(),
                                        &TCipher_Twofish::Class(), &TCipher_Shark::Class(),
                                        &TCipher_Square::Class()};

ProtectionRef<TCipher> Keyed(const TCipherClass& cls, const ByteString& key) {
  ProtectionRef<TCipher> cipher = cls.Create();
  cipher->Init(key.data(), static_cast<std::int32_t>(key.size()), nullptr);
  return cipher;
}

// Several blocks enciphered in cmECB under `key`.
ByteString EcbOf(const TCipherClass& cls, const ByteString& key, const ByteString& plain) {
  auto cipher = Keyed(cls, key);
  cipher->Mode = cmECB;
  ByteString out(plain.size(), '\0');
  cipher->EncipherBuffer(plain.data(), out.data(), static_cast<std::int32_t>(plain.size()));
  return out;
}

ByteString Zeros(std::size_t n) {
  return ByteString(n, '\0');
}

TEST(CipherFamilyB, KeysAreZeroPadded) {
  struct Case {
    const TCipherClass* cls;
    std::size_t shortLength;
    std::size_t paddedLength;
  };
  const Case cases[] = {
      {&TCipher_Q128::Class(), 5, 16},     {&TCipher_3Way::Class(), 7, 12},
      {&TCipher_Shark::Class(), 9, 16},    {&TCipher_Square::Class(), 11, 16},
      {&TCipher_Twofish::Class(), 10, 16}, {&TCipher_Twofish::Class(), 17, 24},
      {&TCipher_Twofish::Class(), 25, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.cls->ClassName()) + " key of " + std::to_string(c.shortLength));
    const ByteString key = test::PatternBytes(c.shortLength, 7);
    const ByteString padded = key + Zeros(c.paddedLength - c.shortLength);
    const ByteString plain =
        test::PatternBytes(4 * static_cast<std::size_t>(c.cls->CipherInfo().BlockSize), 3);
    EXPECT_EQ(test::ToHex(EcbOf(*c.cls, key, plain)), test::ToHex(EcbOf(*c.cls, padded, plain)));
  }
}

// Twofish chooses its key size from the key length, so padding to the next
// size changes the cipher: a 17-byte key is not the 16-byte key with a zero.
TEST(CipherFamilyB, TwofishKeySizeFollowsTheKeyLength) {
  const ByteString plain = test::PatternBytes(16, 3);
  const ByteString key16 = test::PatternBytes(16, 9);
  const ByteString key24 = key16 + Zeros(8);
  EXPECT_NE(EcbOf(TCipher_Twofish::Class(), key16, plain),
            EcbOf(TCipher_Twofish::Class(), key24, plain));
  const ByteString key32 = key24 + Zeros(8);
  EXPECT_NE(EcbOf(TCipher_Twofish::Class(), key24, plain),
            EcbOf(TCipher_Twofish::Class(), key32, plain));
}

// Every schedule works with an empty key given straight to Init: it is a
// zero key of the smallest size (a single zero byte, padded), and it codes.
TEST(CipherFamilyB, EmptyKeyIsTheZeroKey) {
  for (const TCipherClass* cls : kClasses) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    const ByteString plain =
        test::PatternBytes(3 * static_cast<std::size_t>(cls->CipherInfo().BlockSize), 5);
    ProtectionRef<TCipher> cipher = cls->Create();
    cipher->Mode = cmECB;
    cipher->Init(nullptr, 0, nullptr);
    ByteString out(plain.size(), '\0');
    cipher->EncipherBuffer(plain.data(), out.data(), static_cast<std::int32_t>(out.size()));
    EXPECT_EQ(test::ToHex(out), test::ToHex(EcbOf(*cls, Zeros(1), plain)));
    EXPECT_NE(out, plain);
  }
}

// The classes code runs of blocks several at a time; any count, including
// counts that leave single blocks over, must match the one-block steps.
TEST(CipherFamilyB, RunsOfBlocksMatchSingleBlocks) {
  for (const TCipherClass* cls : kClasses) {
    for (const std::size_t blocks : {1u, 2u, 3u, 4u, 5u, 7u, 9u, 33u}) {
      SCOPED_TRACE(std::string(cls->ClassName()) + ", blocks " + std::to_string(blocks));
      const auto size = static_cast<std::size_t>(cls->CipherInfo().BlockSize);
      const ByteString key =
          test::PatternBytes(static_cast<std::size_t>(cls->CipherInfo().MaxKeySize), 11);
      const ByteString plain =
          test::PatternBytes(blocks * size, static_cast<std::uint32_t>(blocks));
      auto cipher = Keyed(*cls, key);
      ByteString single = plain;
      for (std::size_t i = 0; i < blocks; ++i)
        cipher->EncipherBlock(BytesOf(single) + i * size);
      const ByteString run = EcbOf(*cls, key, plain);
      EXPECT_EQ(test::ToHex(run), test::ToHex(single));

      cipher->Mode = cmECB;
      ByteString back(run.size(), '\0');
      cipher->DecipherBuffer(run.data(), back.data(), static_cast<std::int32_t>(run.size()));
      EXPECT_EQ(test::ToHex(back), test::ToHex(plain));
    }
  }
}

// 4096 is no multiple of 12, so every 4096-byte piece of a pipeline run ends
// in a partial 3-Way block that moves the chain; both directions cut the data
// alike, so the run comes back, and it equals direct calls cut the same way.
TEST(CipherFamilyB, ThreeWayAcrossPipelinePieces) {
  const ByteString plain = test::PatternBytes(3 * 4096 + 100, 17);
  const ByteString key = test::PatternBytes(12, 19);
  for (const TCipherMode mode : {cmCTS, cmCBC, cmCFB, cmOFB}) {
    SCOPED_TRACE(static_cast<int>(mode));
    auto cipher = Keyed(TCipher_3Way::Class(), key);
    cipher->Mode = mode;

    TMemoryStream stream(plain);
    cipher->ProcessStream(&stream, nullptr, -1, caEncode);
    const ByteString coded = stream.Data();
    ASSERT_EQ(coded.size(), plain.size());
    EXPECT_NE(coded, plain);

    auto direct = Keyed(TCipher_3Way::Class(), key);
    direct->Mode = mode;
    ByteString pieces = plain;
    for (std::size_t offset = 0; offset < pieces.size(); offset += 4096) {
      const auto n = static_cast<std::int32_t>(std::min<std::size_t>(4096, pieces.size() - offset));
      direct->EncipherBuffer(BytesOf(pieces) + offset, BytesOf(pieces) + offset, n);
    }
    EXPECT_EQ(test::ToHex(coded), test::ToHex(pieces));

    TMemoryStream back(coded);
    cipher->ProcessStream(&back, nullptr, -1, caDecode);
    EXPECT_EQ(test::ToHex(back.Data()), test::ToHex(plain));
  }
}

}  // namespace
}  // namespace velunor
