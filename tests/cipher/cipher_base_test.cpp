// The cipher base with Blowfish: the default initial vector, splitting runs,
// the MAC modes, the pipeline's chain resets, the key set-up from a keyword,
// and the errors for a missing or over-long key. The bytes of every mode are
// pinned in tests/data/cipher-modes (cipher_mode_vectors_test.cpp).
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>

#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_errors.h"
#include "cipher/cipher_registry.h"
#include "hash/hash_md4.h"
#include "hash/hash_ripemd256.h"
#include "protection/format_registry.h"
#include "runtime/exceptions.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using Block = std::array<std::uint8_t, 8>;

const ByteString kKey =
    test::FromHex("0123456789abcdeff0e1d2c3b4a5968778695a4b3c2d1e0f1032547698badcfe");

ProtectionRef<TCipher> KeyedBlowfish(TCipherMode mode = cmCTS, const void* iv = nullptr) {
  ProtectionRef<TCipher> cipher = MakeProtection<TCipher_Blowfish>(nullptr);
  cipher->Mode = mode;
  cipher->Init(kKey.data(), static_cast<std::int32_t>(kKey.size()), iv);
  return cipher;
}

// E(x) of a separate object with the same key.
Block Enciphered(Block x) {
  KeyedBlowfish()->EncipherBlock(x.data());
  return x;
}

Block BlockOf(const std::uint8_t* bytes) {
  Block b;
  std::copy_n(bytes, 8, b.begin());
  return b;
}

ByteString Encipher(TCipher& cipher, ByteString data) {
  cipher.EncipherBuffer(data.data(), data.data(), static_cast<std::int32_t>(data.size()));
  return data;
}

ByteString Decipher(TCipher& cipher, ByteString data) {
  cipher.DecipherBuffer(data.data(), data.data(), static_cast<std::int32_t>(data.size()));
  return data;
}

// Codes data in two calls, the first over `at` bytes.
ByteString InTwoCalls(ByteString (*code)(TCipher&, ByteString), TCipher& cipher,
                      const ByteString& data, std::size_t at) {
  const ByteString first = code(cipher, data.substr(0, at));
  return first + code(cipher, data.substr(at));
}

TEST(CipherChain, DefaultInitialVectorIsTheEncipheredFFBlock) {
  const Block expected = Enciphered(Block{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  auto cipher = KeyedBlowfish();
  EXPECT_EQ(BlockOf(cipher->InitVector()), expected);
  EXPECT_EQ(BlockOf(cipher->ChainBlock()), expected);

  const Block given{1, 2, 3, 4, 5, 6, 7, 8};
  auto withIV = KeyedBlowfish(cmCTS, given.data());
  EXPECT_EQ(BlockOf(withIV->InitVector()), given);
  EXPECT_EQ(BlockOf(withIV->ChainBlock()), given);
  EXPECT_TRUE(withIV->HasStateFlag(TCipher::kInitialized));
  EXPECT_FALSE(withIV->HasStateFlag(TCipher::kKeyedFromKeyword));
}

TEST(CipherChain, SplittingAtBlockBoundariesChangesNothing) {
  // The byte-wise modes do not care where a run is split; the block modes
  // treat a partial block as a tail, so a split inside a block changes them.
  const struct {
    TCipherMode mode;
    bool splitInsideBlockIsInvisible;
  } cases[] = {
      {cmCTS, false}, {cmCBC, false},    {cmCFB, true},     {cmOFB, true},
      {cmECB, false}, {cmCTSMAC, false}, {cmCBCMAC, false}, {cmCFBMAC, true},
  };
  const ByteString plain = test::PatternBytes(64, 4);
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    auto whole = KeyedBlowfish(c.mode);
    const ByteString once = Encipher(*whole, plain);
    const Block chainOnce = BlockOf(whole->ChainBlock());

    auto atBoundary = KeyedBlowfish(c.mode);
    const ByteString split = InTwoCalls(Encipher, *atBoundary, plain, 24);
    EXPECT_EQ(split, once);
    EXPECT_EQ(BlockOf(atBoundary->ChainBlock()), chainOnce);

    auto inside = KeyedBlowfish(c.mode);
    const ByteString splitInside = InTwoCalls(Encipher, *inside, plain, 21);
    const bool same = splitInside == once && BlockOf(inside->ChainBlock()) == chainOnce;
    EXPECT_EQ(same, c.splitInsideBlockIsInvisible);

    // Deciphering split at a boundary gives the plain text back.
    if (c.mode < cmCTSMAC) {
      auto back = KeyedBlowfish(c.mode);
      EXPECT_EQ(InTwoCalls(Decipher, *back, once, 16), plain);
    }
  }
}

TEST(CipherChain, TailsDecipherBackInEveryMode) {
  for (const TCipherMode mode : {cmCTS, cmCBC, cmCFB, cmOFB, cmECB}) {
    for (const std::size_t length : {1u, 7u, 9u, 13u, 23u}) {
      SCOPED_TRACE("mode " + std::to_string(mode) + ", length " + std::to_string(length));
      const ByteString plain = test::PatternBytes(length, static_cast<std::uint32_t>(length));
      auto cipher = KeyedBlowfish(mode);
      const ByteString coded = Encipher(*cipher, plain);
      EXPECT_NE(coded, plain);
      auto other = KeyedBlowfish(mode);
      EXPECT_EQ(Decipher(*other, coded), plain);
      EXPECT_EQ(BlockOf(other->ChainBlock()), BlockOf(cipher->ChainBlock()));
    }
  }
}

TEST(CipherChain, DirectCallsMoveTheChainAndPipelineRunsReset) {
  const ByteString plain = test::PatternBytes(24, 1);
  auto cipher = KeyedBlowfish();
  const ByteString first = Encipher(*cipher, plain);
  EXPECT_NE(Encipher(*cipher, plain), first) << "without a reset the chain runs on";

  ByteString run = plain;
  cipher->ProcessMemory(run.data(), static_cast<std::int32_t>(run.size()), caEncode);
  EXPECT_EQ(run, first) << "a run starts at the initial vector";
  EXPECT_EQ(BlockOf(cipher->ChainBlock()), BlockOf(cipher->InitVector())) << "and ends there";
  ByteString again = plain;
  cipher->ProcessMemory(again.data(), static_cast<std::int32_t>(again.size()), caEncode);
  EXPECT_EQ(again, first);
  cipher->ProcessMemory(again.data(), static_cast<std::int32_t>(again.size()), caDecode);
  EXPECT_EQ(again, plain);
}

TEST(CipherChain, ChunkedRunsEqualOneCallInEveryMode) {
  // ProcessText codes in 4096-byte chunks; the 8-byte blocks never straddle them.
  const ByteString plain = test::PatternBytes(4096 * 2 + 13, 12);
  for (int m = cmCTS; m <= cmECB; ++m) {
    const auto mode = static_cast<TCipherMode>(m);
    SCOPED_TRACE("mode " + std::to_string(m));
    auto cipher = KeyedBlowfish(mode);
    const ByteString chunked = cipher->ProcessText(plain, caEncode, sfCopy);
    auto direct = KeyedBlowfish(mode);
    EXPECT_EQ(chunked, Encipher(*direct, plain));
    EXPECT_EQ(cipher->ProcessText(chunked, caDecode, sfCopy), plain);
  }
}

TEST(CipherChain, ModeOutsideTheEightLeavesTheDestinationUntouched) {
  auto cipher = KeyedBlowfish(static_cast<TCipherMode>(9));
  const ByteString plain = test::PatternBytes(20, 3);
  EXPECT_EQ(Encipher(*cipher, plain), plain);
  EXPECT_EQ(Decipher(*cipher, plain), plain);
}

// The MAC value of a run through the pipeline: it ends up in ScratchBlock.
Block MacOf(TCipherMode mode, ByteString data, TCodeAction action = caEncode) {
  auto cipher = KeyedBlowfish(mode);
  const ByteString before = data;
  cipher->ProcessMemory(data.data(), static_cast<std::int32_t>(data.size()), action);
  EXPECT_EQ(data, before) << "MAC modes do not write the data";
  return BlockOf(cipher->ScratchBlock());
}

TEST(CipherMAC, PipelineRunLeavesTheValueOfADirectCallInTheScratchBlock) {
  const ByteString data = test::PatternBytes(37, 8);
  for (const TCipherMode mode : {cmCTSMAC, cmCBCMAC, cmCFBMAC}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    auto direct = KeyedBlowfish(mode);
    Encipher(*direct, data);
    const Block value = BlockOf(direct->ChainBlock());
    EXPECT_NE(value, BlockOf(direct->InitVector()));
    EXPECT_EQ(MacOf(mode, data), value);
    EXPECT_EQ(MacOf(mode, data, caDecode), value) << "deciphering computes the same value";
  }
}

TEST(CipherMAC, BlockMACsIgnoreTheBytesOfAPartialTail) {
  const ByteString data = test::PatternBytes(21, 2);
  for (const TCipherMode mode : {cmCTSMAC, cmCBCMAC, cmCFBMAC}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    const Block mac = MacOf(mode, data);
    ByteString inTail = data;
    inTail[19] ^= 1;
    ByteString inBlock = data;
    inBlock[3] ^= 1;
    EXPECT_NE(MacOf(mode, inBlock), mac);
    // cmCFBMAC feeds every byte back; the block MACs only count the tail's length.
    EXPECT_EQ(MacOf(mode, inTail) == mac, mode != cmCFBMAC);
    EXPECT_EQ(MacOf(mode, data.substr(0, 20)) == mac, mode != cmCFBMAC);
    EXPECT_NE(MacOf(mode, data.substr(0, 16)), mac) << "a tail of any length counts";
  }
}

TEST(CipherMAC, DigestRunsContinueTheChainAcrossRuns) {
  const ByteString first = test::PatternBytes(16, 5);
  const ByteString second = test::PatternBytes(24, 6);
  auto pieces = KeyedBlowfish(cmCBCMAC);
  ByteString a = first;
  ByteString b = second;
  pieces->ProcessMemory(a.data(), 16, caDigest);
  pieces->ProcessMemory(b.data(), 24, caDigest);
  auto whole = KeyedBlowfish(cmCBCMAC);
  ByteString both = first + second;
  whole->ProcessMemory(both.data(), 40, caDigest);
  EXPECT_EQ(BlockOf(pieces->ChainBlock()), BlockOf(whole->ChainBlock()));
  EXPECT_NE(BlockOf(whole->ChainBlock()), BlockOf(whole->InitVector()));
}

void ExpectNotInitialized(const std::function<void()>& action) {
  try {
    action();
    FAIL() << "expected ECipherException";
  } catch (const ECipherException& e) {
    EXPECT_EQ(e.FaultCode, kFaultNotInitialized);
    EXPECT_EQ(e.Message(), "TCipher_Blowfish is not initialized call Init() or InitKey() before.");
  }
}

TEST(CipherErrors, CodingWithoutAKeyIsRefusedAndTouchesNothing) {
  const auto cipher = MakeProtection<TCipher_Blowfish>(nullptr);
  EXPECT_FALSE(cipher->HasStateFlag(TCipher::kInitialized));
  ByteString data = test::PatternBytes(16, 1);
  const ByteString before = data;
  ExpectNotInitialized([&] { cipher->EncipherBuffer(data.data(), data.data(), 16); });
  ExpectNotInitialized([&] { cipher->DecipherBuffer(data.data(), data.data(), 16); });
  ExpectNotInitialized([&] { cipher->EncipherBuffer(data.data(), data.data(), 0); });
  ExpectNotInitialized([&] { cipher->ProcessMemory(data.data(), 16, caEncode); });
  ExpectNotInitialized([&] { cipher->ProcessText("abc", caEncode, sfDefault); });
  ExpectNotInitialized([&] { cipher->ProcessText("YWJj", caDecode, sfDefault); });
  EXPECT_EQ(data, before);
  EXPECT_EQ(cipher->ProcessText("", caEncode, sfDefault), "") << "an empty text starts no run";
}

TEST(CipherErrors, SpanFormsRefuseAShortDestinationAndAnInitialVectorOfAnotherSize) {
  auto cipher = KeyedBlowfish();
  const std::array<std::uint8_t, 16> source{};
  std::array<std::uint8_t, 15> shortDest{};
  EXPECT_THROW(cipher->EncipherBuffer(source, shortDest), EInvalidArgument);
  EXPECT_THROW(cipher->DecipherBuffer(source, shortDest), EInvalidArgument);
  EXPECT_EQ(BlockOf(cipher->ChainBlock()), BlockOf(cipher->InitVector())) << "nothing was coded";
  for (const std::size_t ivSize : {7u, 9u}) {
    const ByteString iv(ivSize, 'i');
    EXPECT_THROW(
        cipher->Init(std::span(BytesOf(kKey), kKey.size()), std::span(BytesOf(iv), ivSize)),
        EInvalidArgument);
  }
}

TEST(CipherErrors, WipeStateLeavesTheDocumentedValues) {
  auto cipher = KeyedBlowfish();
  ByteString data = test::PatternBytes(16, 1);
  cipher->EncipherBuffer(data.data(), data.data(), 13);  // moves F and W
  cipher->StrictKeyLength = true;
  const ByteString longKey(57, 'k');
  EXPECT_THROW(cipher->Init(longKey.data(), 57, nullptr), ECipherException);
  EXPECT_FALSE(cipher->HasStateFlag(TCipher::kInitialized));
  EXPECT_EQ(BlockOf(cipher->InitVector()), (Block{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(BlockOf(cipher->ChainBlock()), (Block{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(BlockOf(cipher->ScratchBlock()), Block{});
  ExpectNotInitialized([&] { cipher->EncipherBuffer(data.data(), data.data(), 8); });
}

TEST(CipherErrors, KeyLengths) {
  const ByteString key56 = test::PatternBytes(56, 77);
  const ByteString key57 = key56 + "x";
  const ByteString block = "8 bytes!";
  auto enciphered = [&](const ByteString& key, std::int32_t size, bool strict = false) {
    const auto cipher = MakeProtection<TCipher_Blowfish>(nullptr);
    cipher->StrictKeyLength = strict;
    cipher->Mode = cmECB;
    cipher->Init(key.data(), size, nullptr);
    return Encipher(*cipher, block);
  };
  // Cut to MaxKeySize while StrictKeyLength is off.
  EXPECT_EQ(enciphered(key57, 57), enciphered(key56, 56));

  try {
    enciphered(key57, 57, true);
    ADD_FAILURE() << "an over-long key must be refused";
  } catch (const ECipherException& e) {
    EXPECT_EQ(e.FaultCode, kFaultKeyLength);
    EXPECT_EQ(e.Message(),
              "Length from Encryptionkey is invalid.\r\nKeysize for TCipher_Blowfish must be to "
              "0-56 bytes");
  }
  EXPECT_EQ(enciphered(key57, 57), enciphered(key56, 56)) << "only that object was strict";

  // Blowfish repeats a short key; it needs one byte at least.
  EXPECT_EQ(enciphered("abcd", 4), enciphered("abcdabcd", 8));
  for (const std::int32_t size : {0, -5}) {
    try {
      enciphered("abcd", size);
      ADD_FAILURE() << "a key of " << size << " bytes must be refused";
    } catch (const ECipherException& e) {
      EXPECT_EQ(e.FaultCode, kFaultKeyLength);
      EXPECT_NE(e.Message().find("TCipher_Blowfish"), std::string::npos);
    }
  }
}

TEST(CipherKeyword, InitKeyKeysWithTheDigestAndEnciphersIt) {
  const ByteString keyword = "Schl\xFCsselwort";
  ByteString digest = THash_RipeMD256::Class().DigestAsText(keyword, nullptr, sfCopy);

  const auto fromKeyword = MakeProtection<TCipher_Blowfish>(nullptr);
  fromKeyword->InitKey(keyword, nullptr);
  EXPECT_TRUE(fromKeyword->HasStateFlag(TCipher::kKeyedFromKeyword));
  EXPECT_TRUE(fromKeyword->HasStateFlag(TCipher::kInitialized));
  EXPECT_EQ(BlockOf(fromKeyword->ChainBlock()), BlockOf(fromKeyword->InitVector()));

  const auto fromDigest = MakeProtection<TCipher_Blowfish>(nullptr);
  fromDigest->Init(digest.data(), 32, nullptr);
  EXPECT_EQ(BlockOf(fromKeyword->InitVector()), BlockOf(fromDigest->InitVector()));
  // The hash no longer holds the plain digest: it holds its cmCTS encipherment.
  const ByteString encipheredDigest = Encipher(*fromDigest, digest);
  EXPECT_EQ(fromKeyword->KeyHash().Digest(), encipheredDigest);
  EXPECT_NE(fromKeyword->KeyHash().Digest(), digest);
  // ResetChain kept the chain value the encipherment left behind.
  EXPECT_EQ(BlockOf(fromKeyword->ScratchBlock()), BlockOf(fromDigest->ChainBlock()));
}

TEST(CipherKeyword, NoModeLeavesThePlainDigestInTheKeyHash) {
  const ByteString keyword = "Schl\xFCsselwort";
  const ByteString digest = THash_RipeMD256::Class().DigestAsText(keyword, nullptr, sfCopy);
  for (int mode = cmCTS; mode <= cmCFBMAC; ++mode) {
    SCOPED_TRACE(mode);
    const auto cipher = MakeProtection<TCipher_Blowfish>(nullptr);
    cipher->Mode = static_cast<TCipherMode>(mode);
    cipher->InitKey(keyword, nullptr);
    EXPECT_EQ(cipher->KeyHash().Digest().find(digest.substr(0, 8)), ByteString::npos);
    EXPECT_EQ(cipher->KeyHash().Digest().size(), digest.size());
  }
}

TEST(CipherKeyword, KeyHashClassDecidesTheKey) {
  const ByteString keyword = "keyword";
  const auto md4Keyed = MakeProtection<TCipher_Blowfish>(nullptr);
  md4Keyed->SetKeyHashClass(&THash_MD4::Class());
  md4Keyed->InitKey(keyword, nullptr);
  const ByteString md4Digest = THash_MD4::Class().DigestAsText(keyword, nullptr, sfCopy);
  const auto expected = MakeProtection<TCipher_Blowfish>(nullptr);
  expected->Init(md4Digest.data(), 16, nullptr);
  EXPECT_EQ(BlockOf(md4Keyed->InitVector()), BlockOf(expected->InitVector()));

  md4Keyed->SetKeyHashClass(nullptr);
  EXPECT_EQ(&md4Keyed->KeyHashClass(), &THash_RipeMD256::Class());
}

TEST(CipherKeyword, ADigestLongerThanTheKeyIsCut) {
  // 3-Way takes at most 12 key bytes; the RIPEMD-256 digest has 32.
  const TCipherClass* cls = FindCipherClass("3Way");
  ASSERT_NE(cls, nullptr) << "3-Way is registered";
  ASSERT_LT(cls->CipherInfo().MaxKeySize, 32);
  const ByteString keyword = "keyword";
  // With StrictKeyLength on, only a key cut by InitKey itself is accepted.
  ProtectionRef<TCipher> fromKeyword = cls->Create();
  fromKeyword->StrictKeyLength = true;
  EXPECT_NO_THROW(fromKeyword->InitKey(keyword, nullptr));
  const ByteString digest = THash_RipeMD256::Class().DigestAsText(keyword, nullptr, sfCopy);
  ProtectionRef<TCipher> fromDigest = cls->Create();
  fromDigest->Init(digest.data(), cls->CipherInfo().MaxKeySize, nullptr);
  const auto block = static_cast<std::size_t>(cls->CipherInfo().BlockSize);
  EXPECT_EQ(ByteString(reinterpret_cast<const char*>(fromKeyword->InitVector()), block),
            ByteString(reinterpret_cast<const char*>(fromDigest->InitVector()), block));
}

TEST(CipherKeyword, ChangingTheModeKeepsTheKey) {
  auto cipher = KeyedBlowfish(cmCTS);
  cipher->Mode = cmOFB;
  EXPECT_TRUE(cipher->HasStateFlag(TCipher::kInitialized));
  auto ofb = KeyedBlowfish(cmOFB);
  const ByteString plain = test::PatternBytes(30, 1);
  EXPECT_EQ(Encipher(*cipher, plain), Encipher(*ofb, plain));
}

}  // namespace
}  // namespace velunor
