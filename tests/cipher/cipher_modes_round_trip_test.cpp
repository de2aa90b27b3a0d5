// Every registered cipher class in every chaining mode: what is enciphered
// deciphers back, directly through EncipherBuffer/DecipherBuffer and through
// the coding pipeline, for keys of 1 byte and of the maximum length, for data
// of every length up to three blocks and one byte and for data that crosses
// the pipeline's 4096-byte chunks. The MAC modes never write to the data.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cipher/cipher_registry.h"
#include "protection/string_format.h"
#include "support/test_support.h"

namespace velunor {
namespace {

constexpr TCipherMode kCodingModes[] = {cmCTS, cmCBC, cmCFB, cmOFB, cmECB};
constexpr TCipherMode kMacModes[] = {cmCTSMAC, cmCBCMAC, cmCFBMAC};
constexpr TCipherMode kBlockByBlock[] = {cmECB};

// Lengths that end just before and just after a 4096-byte chunk boundary and
// one that spans three chunks; none is a whole number of blocks.
constexpr std::size_t kChunkedLengths[] = {4095, 4097, 2 * 4096 + 13};

std::string Describe(const TCipherClass& cls, TCipherMode mode, std::int32_t keyLength) {
  return std::string(cls.ClassName()) + " mode " + std::to_string(mode) + " key of " +
         std::to_string(keyLength) + " bytes";
}

std::vector<std::int32_t> KeyLengths(const TCipherClass& cls) {
  return {1, cls.CipherInfo().MaxKeySize};
}

ProtectionRef<TCipher> Keyed(const TCipherClass& cls, std::int32_t keyLength, TCipherMode mode) {
  ProtectionRef<TCipher> cipher = cls.Create();
  const ByteString key = test::PatternBytes(static_cast<std::size_t>(keyLength), 17);
  cipher->Init(key.data(), keyLength, nullptr);
  cipher->Mode = mode;
  return cipher;
}

std::int32_t Size(const ByteString& bytes) {
  return static_cast<std::int32_t>(bytes.size());
}

// Runs `check(cls, mode, keyLength)` for every registered class, coding mode
// and key length.
template <class Check>
void ForEveryClassModeAndKey(const TCipherMode* modes, std::size_t modeCount, Check check) {
  ASSERT_FALSE(CipherRegistry().Entries().empty());
  for (const auto& entry : CipherRegistry().Entries()) {
    for (std::size_t m = 0; m < modeCount; ++m) {
      for (const std::int32_t keyLength : KeyLengths(*entry.cls)) {
        SCOPED_TRACE(Describe(*entry.cls, modes[m], keyLength));
        check(*entry.cls, modes[m], keyLength);
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
  }
}

TEST(CipherModesRoundTrip, BufferCallsForEveryLengthUpToThreeBlocks) {
  ForEveryClassModeAndKey(
      kCodingModes, std::size(kCodingModes),
      [](const TCipherClass& cls, TCipherMode mode, std::int32_t keyLength) {
        auto cipher = Keyed(cls, keyLength, mode);
        const auto block = static_cast<std::size_t>(cipher->BlockSize);
        for (std::size_t length = 0; length <= 3 * block + 1; ++length) {
          const ByteString plain = test::PatternBytes(length, static_cast<std::uint32_t>(length));
          ByteString coded(length, '\0');
          cipher->EncipherBuffer(plain.data(), coded.data(), Size(plain));
          // Eight bytes or more alike would mean the data was not coded at all.
          if (length >= 8) {
            ASSERT_NE(coded, plain) << "length " << length;
          }
          cipher->ResetChain();
          ByteString back(length, '\0');
          cipher->DecipherBuffer(coded.data(), back.data(), Size(coded));
          cipher->ResetChain();
          ASSERT_EQ(test::ToHex(back), test::ToHex(plain)) << "length " << length;
        }
      });
}

TEST(CipherModesRoundTrip, PipelineRunsInMemory) {
  ForEveryClassModeAndKey(
      kCodingModes, std::size(kCodingModes),
      [](const TCipherClass& cls, TCipherMode mode, std::int32_t keyLength) {
        auto cipher = Keyed(cls, keyLength, mode);
        const auto block = static_cast<std::size_t>(cipher->BlockSize);
        for (const std::size_t length :
             {std::size_t{0}, block - 1, block, 2 * block + 1, 3 * block + 1}) {
          const ByteString plain = test::PatternBytes(length, 5);
          ByteString data = plain;
          cipher->ProcessMemory(data.data(), Size(data), caEncode);
          // A run starts at the initial vector, as a freshly keyed buffer call does.
          ByteString direct(length, '\0');
          Keyed(cls, keyLength, mode)->EncipherBuffer(plain.data(), direct.data(), Size(plain));
          ASSERT_EQ(test::ToHex(data), test::ToHex(direct)) << "length " << length;
          cipher->ProcessMemory(data.data(), Size(data), caDecode);
          ASSERT_EQ(test::ToHex(data), test::ToHex(plain)) << "length " << length;
        }
      });
}

// The string pipeline codes in 4096-byte chunks; a block size that does not
// divide 4096 meets a partial block in every chunk, identically both ways.
TEST(CipherModesRoundTrip, PipelineRunsOfTextAcrossChunks) {
  ForEveryClassModeAndKey(kCodingModes, std::size(kCodingModes),
                          [](const TCipherClass& cls, TCipherMode mode, std::int32_t keyLength) {
                            auto cipher = Keyed(cls, keyLength, mode);
                            for (const std::size_t length : kChunkedLengths) {
                              const ByteString plain = test::PatternBytes(length, 11);
                              const ByteString coded = cipher->ProcessText(plain, caEncode, sfCopy);
                              ASSERT_EQ(coded.size(), plain.size());
                              ASSERT_NE(coded, plain);
                              if (4096 % cipher->BlockSize == 0) {
                                // Chunks end on block boundaries, so chunking changes nothing.
                                ByteString whole = plain;
                                cipher->ProcessMemory(whole.data(), Size(whole), caEncode);
                                ASSERT_EQ(coded, whole) << "length " << length;
                              }
                              ASSERT_EQ(cipher->ProcessText(coded, caDecode, sfCopy), plain)
                                  << "length " << length;
                            }
                          });
}

// Runs of blocks may take a faster path than single blocks (several blocks
// at once); cmECB over 37 blocks must equal the single block steps.
TEST(CipherModesRoundTrip, RunsOfBlocksEqualSingleBlocks) {
  ForEveryClassModeAndKey(
      kBlockByBlock, std::size(kBlockByBlock),
      [](const TCipherClass& cls, TCipherMode mode, std::int32_t keyLength) {
        const auto block = static_cast<std::size_t>(cls.CipherInfo().BlockSize);
        const ByteString plain = test::PatternBytes(37 * block, 41);
        ByteString run(plain.size(), '\0');
        Keyed(cls, keyLength, mode)->EncipherBuffer(plain.data(), run.data(), Size(plain));
        ByteString single = plain;
        auto cipher = Keyed(cls, keyLength, mode);
        for (std::size_t i = 0; i < single.size(); i += block)
          cipher->EncipherBlock(BytesOf(single) + i);
        ASSERT_EQ(test::ToHex(run), test::ToHex(single));

        ByteString back(run.size(), '\0');
        Keyed(cls, keyLength, mode)->DecipherBuffer(run.data(), back.data(), Size(run));
        cipher = Keyed(cls, keyLength, mode);
        for (std::size_t i = 0; i < single.size(); i += block)
          cipher->DecipherBlock(BytesOf(single) + i);
        ASSERT_EQ(test::ToHex(back), test::ToHex(single));
        ASSERT_EQ(back, plain);
      });
}

TEST(CipherModesRoundTrip, MacModesLeaveTheDataUntouched) {
  ForEveryClassModeAndKey(
      kMacModes, std::size(kMacModes),
      [](const TCipherClass& cls, TCipherMode mode, std::int32_t keyLength) {
        auto cipher = Keyed(cls, keyLength, mode);
        const auto block = static_cast<std::size_t>(cipher->BlockSize);
        const ByteString initialVector(reinterpret_cast<const char*>(cipher->InitVector()), block);
        for (const std::size_t length : {std::size_t{1}, block, 2 * block + 1, std::size_t{4097}}) {
          const ByteString plain = test::PatternBytes(length, 23);
          const ByteString untouched(length, '\x5A');
          ByteString dest = untouched;
          cipher->EncipherBuffer(plain.data(), dest.data(), Size(plain));
          ASSERT_EQ(dest, untouched);
          const ByteString macValue(reinterpret_cast<const char*>(cipher->ChainBlock()), block);
          EXPECT_NE(macValue, initialVector) << "the data did not move the chain";
          cipher->ResetChain();
          cipher->DecipherBuffer(plain.data(), dest.data(), Size(plain));
          ASSERT_EQ(dest, untouched);
          EXPECT_EQ(ByteString(reinterpret_cast<const char*>(cipher->ChainBlock()), block),
                    macValue)
              << "deciphering computes the same value";
          cipher->ResetChain();

          ByteString data = plain;
          cipher->ProcessMemory(data.data(), Size(data), caEncode);
          ASSERT_EQ(data, plain);
          cipher->ProcessMemory(data.data(), Size(data), caDecode);
          ASSERT_EQ(data, plain);
        }
      });
}

}  // namespace
}  // namespace velunor
