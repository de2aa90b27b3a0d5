// Hashes driven by the coding pipeline (key stream, digest, overwrite,
// shred), the keyed digest TMAC, the chain hook at Finish, the null digest,
// DigestAsText, and the zeroing of the digest when a hash is destroyed.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_errors.h"
#include "hash/hash_crc32.h"
#include "hash/hash_md4.h"
#include "hash/hash_registry.h"
#include "hash/hash_ripemd256.h"
#include "hash/mac.h"
#include "protection/format_registry.h"
#include "protection/protection_errors.h"
#include "support/test_support.h"

namespace velunor {
namespace {

ByteString DigestOf(const THashClass& cls, const ByteString& message,
                    TProtection* chained = nullptr) {
  ProtectionRef<THash> hash = cls.Create(chained);
  hash->Init();
  hash->AddData(message.data(), static_cast<std::int32_t>(message.size()));
  hash->Finish();
  return hash->Digest();
}

ByteString CodeRun(THash& hash, ByteString data, TCodeAction action) {
  hash.ProcessMemory(data.data(), static_cast<std::int32_t>(data.size()), action);
  return data;
}

const THashClass* const kBlockHashes[] = {&THash_MD4::Class(), &THash_RipeMD256::Class()};

// Lengths around the digest sizes (16, 32), the block size and the 4096-byte
// chunks of stream runs.
const std::size_t kLengths[] = {0, 1, 15, 16, 17, 31, 32, 33, 63, 64, 65, 4095, 4096, 4097, 9000};

TEST(HashPipeline, EncodeThenDecodeGivesTheInputBack) {
  for (const THashClass* cls : kBlockHashes) {
    ProtectionRef<THash> hash = cls->Create();
    for (const std::size_t length : kLengths) {
      SCOPED_TRACE(std::string(cls->ClassName()) + ", length " + std::to_string(length));
      const ByteString plain = test::PatternBytes(length, static_cast<std::uint32_t>(length));
      const ByteString coded = CodeRun(*hash, plain, caEncode);
      ASSERT_EQ(coded.size(), plain.size());
      if (length > 0) {
        EXPECT_NE(coded, plain);
      }
      EXPECT_EQ(CodeRun(*hash, coded, caDecode), plain);
    }
  }
}

TEST(HashPipeline, TheKeyStreamStartsWithTheDigestOfTheInitialState) {
  // After Init the digest buffer holds the initial chaining words; the first
  // piece of key stream is the digest of exactly those bytes.
  for (const THashClass* cls : kBlockHashes) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    ProtectionRef<THash> hash = cls->Create();
    hash->Init();
    const ByteString initialState = hash->Digest();
    const ByteString zeros(static_cast<std::size_t>(cls->DigestSize()) * 3, '\0');
    const ByteString stream = CodeRun(*hash, zeros, caEncode);
    EXPECT_EQ(test::ToHex(stream.substr(0, initialState.size())),
              test::ToHex(DigestOf(*cls, initialState)));
    // Each further piece continues the running state: no piece repeats.
    EXPECT_NE(stream.substr(0, initialState.size()),
              stream.substr(initialState.size(), initialState.size()));
  }
}

TEST(HashPipeline, ChunkedRunsCodeLikeOneCall) {
  // ProcessText feeds 4096-byte chunks; the key stream runs on across them.
  for (const THashClass* cls : kBlockHashes) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    ProtectionRef<THash> hash = cls->Create();
    const ByteString plain = test::PatternBytes(10000, 3);
    EXPECT_EQ(hash->ProcessText(plain, caEncode, sfCopy), CodeRun(*hash, plain, caEncode));
    EXPECT_EQ(hash->ProcessText(plain, caOverwrite, sfCopy), CodeRun(*hash, plain, caOverwrite));
  }
}

TEST(HashPipeline, DigestRunLeavesTheDataAndTheDigestReadable) {
  for (const THashClass* cls : kBlockHashes) {
    ProtectionRef<THash> hash = cls->Create();
    for (const std::size_t length : kLengths) {
      SCOPED_TRACE(std::string(cls->ClassName()) + ", length " + std::to_string(length));
      const ByteString data = test::PatternBytes(length, 11);
      EXPECT_EQ(CodeRun(*hash, data, caDigest), data);
      EXPECT_EQ(test::ToHex(hash->Digest()), test::ToHex(DigestOf(*cls, data)));
    }
  }
}

TEST(HashPipeline, ProcessTextWithDigestRendersTheTextNotTheDigest) {
  ProtectionRef<THash> hash = THash_RipeMD256::Class().Create();
  EXPECT_EQ(hash->ProcessText("abc", caDigest, sfHex), "616263");
  EXPECT_EQ(test::ToHex(hash->Digest()),
            "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65");
  const ByteString longText = test::PatternBytes(5000, 8);
  EXPECT_EQ(hash->ProcessText(longText, caDigest, sfCopy), longText);
  EXPECT_EQ(hash->Digest(), DigestOf(THash_RipeMD256::Class(), longText));
}

TEST(HashPipeline, OverwriteReplacesThePiecesByDigests) {
  ProtectionRef<THash> hash = THash_RipeMD256::Class().Create();
  const ByteString data = test::PatternBytes(100, 5);
  const ByteString overwritten = CodeRun(*hash, data, caOverwrite);
  ASSERT_EQ(overwritten.size(), data.size());
  // The first piece is the digest of the first 32 bytes from a fresh start.
  EXPECT_EQ(overwritten.substr(0, 32), DigestOf(THash_RipeMD256::Class(), data.substr(0, 32)));
  EXPECT_EQ(CodeRun(*hash, data, caOverwrite), overwritten);  // every run starts at Init
  // Shredding starts from a random state, so it cannot repeat the overwrite.
  EXPECT_NE(CodeRun(*hash, data, caShred), overwritten);
}

TEST(HashPipeline, NullDigestsCodeNothingAndEndTheirRuns) {
  for (const THashClass* cls : {&THash::Class(), &TChecksum::Class()}) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    EXPECT_EQ(cls->DigestSize(), 0);
    ProtectionRef<THash> hash = cls->Create();
    const ByteString data = test::PatternBytes(70, 2);
    for (const TCodeAction action : {caEncode, caDecode, caOverwrite, caDigest, caShred}) {
      EXPECT_EQ(CodeRun(*hash, data, action), data);
    }
    EXPECT_EQ(cls->DigestAsText("anything", nullptr, sfCopy), "");
  }
}

TEST(HashMAC, EmptyPasswordGivesThePlainDigest) {
  const ByteString message = "The quick brown fox";
  for (const THashClass* cls : kBlockHashes) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    const auto mac = MakeProtection<TMAC>();
    EXPECT_EQ(DigestOf(*cls, message, mac.Get()), DigestOf(*cls, message));
  }
}

TEST(HashMAC, PasswordKeysTheDigest) {
  const ByteString message = "The quick brown fox";
  for (const THashClass* cls : kBlockHashes) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    const ByteString plain = DigestOf(*cls, message);
    const ByteString keyed = DigestOf(*cls, message, MakeProtection<TMAC>("secret").Get());
    EXPECT_NE(keyed, plain);
    EXPECT_EQ(DigestOf(*cls, message, MakeProtection<TMAC>("secret").Get()), keyed);
    EXPECT_NE(DigestOf(*cls, message, MakeProtection<TMAC>("secreT").Get()), keyed);
    // The password changes the start state only: the empty message differs too.
    EXPECT_NE(DigestOf(*cls, "", MakeProtection<TMAC>("secret").Get()), DigestOf(*cls, ""));
  }
}

TEST(HashMAC, ProtectionBehindTheMACOverwritesTheFinishedDigest) {
  // EndKeyedDigest passes the digest through the MAC's own protection with
  // caOverwrite; an MD4 there replaces it by the MD4 digests of its pieces.
  const ByteString message = "abc";
  const auto mac = MakeProtection<TMAC>("", THash_MD4::Class().Create().Get());
  const ByteString macDigest = DigestOf(THash_RipeMD256::Class(), message, mac.Get());

  ByteString expected = DigestOf(THash_RipeMD256::Class(), message);
  ProtectionRef<THash> md4 = THash_MD4::Class().Create();
  md4->ProcessMemory(expected.data(), static_cast<std::int32_t>(expected.size()), caOverwrite);
  EXPECT_EQ(test::ToHex(macDigest), test::ToHex(expected));
}

// A keyed Blowfish in cmCTS, to stand behind a hash.
ProtectionRef<TCipher> KeyedBlowfish() {
  ProtectionRef<TCipher> cipher = MakeProtection<TCipher_Blowfish>(nullptr);
  const ByteString key = "chain hook key";
  cipher->Init(key.data(), static_cast<std::int32_t>(key.size()), nullptr);
  return cipher;
}

TEST(HashChainHook, OtherProtectionCodesTheDigestAtFinishOnly) {
  const ByteString message = "message digest";
  const ByteString chainedDigest =
      DigestOf(THash_RipeMD256::Class(), message, KeyedBlowfish().Get());

  // Init passes nothing to the cipher; Finish enciphers the digest in place
  // with a run of its own (from the initial vector).
  ByteString expected = DigestOf(THash_RipeMD256::Class(), message);
  ProtectionRef<TCipher> cipher = KeyedBlowfish();
  cipher->EncipherBuffer(expected.data(), expected.data(),
                         static_cast<std::int32_t>(expected.size()));
  EXPECT_EQ(test::ToHex(chainedDigest), test::ToHex(expected));
}

TEST(HashChainHook, AFailingProtectionFailsTheFinish) {
  ProtectionRef<THash> hash =
      THash_RipeMD256::Class().Create(MakeProtection<TCipher_Blowfish>(nullptr).Get());
  hash->Init();  // nothing is passed at Init, so the unkeyed cipher is not noticed
  try {
    hash->Finish();
    FAIL() << "an unkeyed cipher behind the hash must refuse the digest";
  } catch (const ECipherException& e) {
    EXPECT_EQ(e.FaultCode, kFaultNotInitialized);
  }
}

TEST(HashDigestAsText, CopyFormatGivesTheRawDigest) {
  const THashClass& cls = THash_RipeMD256::Class();
  const ByteString raw = cls.DigestAsText("abc", nullptr, sfCopy);
  EXPECT_EQ(test::ToHex(raw), "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65");
  EXPECT_EQ(cls.DigestAsText("abc", nullptr, sfHexLower), test::ToHex(raw));
  EXPECT_EQ(THash_MD4::Class().DigestAsText("abc", nullptr, sfCopy).size(), 16u);
}

TEST(HashDigestAsText, ChainedProtectionCodesTheDigest) {
  const ProtectionRef<TCipher> behind = KeyedBlowfish();
  ByteString expected = THash_RipeMD256::Class().DigestAsText("abc", nullptr, sfCopy);
  ProtectionRef<TCipher> cipher = KeyedBlowfish();
  cipher->EncipherBuffer(expected.data(), expected.data(),
                         static_cast<std::int32_t>(expected.size()));
  EXPECT_EQ(THash_RipeMD256::Class().DigestAsText("abc", behind.Get(), sfCopy), expected);
  // The temporary hash let go of the protection again.
  EXPECT_EQ(behind->RefCount(), 1);
}

TEST(HashDigestAsText, UnknownFormatRaisesAfterDigesting) {
  EXPECT_THROW(THash_RipeMD256::Class().DigestAsText("abc", nullptr, 7), EStringFormat);
}

// Counted objects are made only by MakeProtection; a class derived here may
// place one in storage of its own, to look at that storage after destruction.
template <class T>
struct Placed final : T {
  Placed() : T(nullptr) {}
};

TEST(HashLifetime, DestructionZeroesTheDigest) {
  for (const THashClass* cls : kBlockHashes) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    alignas(std::max_align_t) unsigned char storage[sizeof(Placed<THash_RipeMD256>)];
    THash* hash = nullptr;
    if (cls == &THash_MD4::Class()) {
      hash = new (storage) Placed<THash_MD4>();
    } else {
      hash = new (storage) Placed<THash_RipeMD256>();
    }
    hash->Init();
    hash->AddData("abc", 3);
    hash->Finish();
    const auto offset = static_cast<std::size_t>(hash->DigestBuffer() - storage);
    const auto size = static_cast<std::size_t>(hash->DigestSize());
    ASSERT_NE(ByteString(reinterpret_cast<char*>(storage + offset), size), ByteString(size, '\0'));
    hash->~THash();
    EXPECT_EQ(ByteString(reinterpret_cast<char*>(storage + offset), size), ByteString(size, '\0'));
  }
}

#ifndef _WIN32
// Data beyond 2^31 bytes is digested whole: 2 GiB and one byte of zero pages
// (mapped, never written) against the same bytes added in 1 MiB parts.
TEST(HashDigestAsText, DataBeyondThirtyTwoBits) {
  constexpr std::size_t kSize = (std::size_t{1} << 31) + 1;
  void* zeros =
      ::mmap(nullptr, kSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(zeros, MAP_FAILED);
  const std::string_view data(static_cast<const char*>(zeros), kSize);
  const THashClass& cls = THash_CRC32::Class();
  ProtectionRef<THash> parts = cls.Create(nullptr);
  parts->Init();
  for (std::size_t at = 0; at < kSize; at += std::size_t{1} << 20) {
    const std::size_t n = std::min(kSize - at, std::size_t{1} << 20);
    parts->AddData(data.data() + at, static_cast<std::int32_t>(n));
  }
  parts->Finish();
  EXPECT_EQ(cls.DigestAsText(data, nullptr, sfCopy),
            ByteString(reinterpret_cast<const char*>(parts->DigestBuffer()),
                       static_cast<std::size_t>(parts->DigestSize())));
  ::munmap(zeros, kSize);
}
#endif

}  // namespace
}  // namespace velunor
