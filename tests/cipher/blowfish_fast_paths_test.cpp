#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "cipher/blowfish_rounds.h"
#include "cipher/cipher_blowfish.h"
#include "runtime/bit_field_extract.h"
#include "runtime/byte_order.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// Key-data-like tables of 1024 S-box words and 18 round keys.
struct Tables {
  std::vector<std::uint32_t> s = std::vector<std::uint32_t>(1024);
  std::array<std::uint32_t, 18> p{};
};

Tables PatternTables(std::uint32_t seed) {
  Tables t;
  const ByteString bytes = test::PatternBytes(4 * (1024 + 18), seed);
  std::memcpy(t.s.data(), bytes.data(), 4 * 1024);
  std::memcpy(t.p.data(), bytes.data() + 4 * 1024, 4 * 18);
  return t;
}

// Blocks coded with the bit-field extracts, by eight lanes or as register
// halves, must equal the portable single-block form, in both directions.
TEST(BlowfishFastPaths, RoundFormsGiveThePortableBlocks) {
  const bool extract = ProcessorFeatures().bitFieldExtract;
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    const Tables t = PatternTables(seed);
    const ByteString plain = test::PatternBytes(64, seed + 500);
    ByteString portable = plain;
    for (std::size_t k = 0; k < 8; ++k)
      blowfish::CodeLanes<1, true, false>(t.s.data(), t.p.data(), BytesOf(portable) + 8 * k);
    ByteString lanes = plain;
    blowfish::CodeLanes<8, true, false>(t.s.data(), t.p.data(), BytesOf(lanes));
    ASSERT_EQ(portable, lanes) << "seed " << seed;
    if (extract) {
      lanes = plain;
      blowfish::CodeLanes<8, true, true>(t.s.data(), t.p.data(), BytesOf(lanes));
      ASSERT_EQ(portable, lanes) << "seed " << seed;
      blowfish::CodeLanes<8, false, true>(t.s.data(), t.p.data(), BytesOf(lanes));
      ASSERT_EQ(plain, lanes) << "seed " << seed;
      std::uint32_t left = LoadBE<std::uint32_t>(BytesOf(plain));
      std::uint32_t right = LoadBE<std::uint32_t>(BytesOf(plain) + 4);
      blowfish::CodeHalves<true, true>(t.s.data(), t.p.data(), left, right);
      ASSERT_EQ(LoadBE<std::uint32_t>(BytesOf(portable)), left) << "seed " << seed;
      ASSERT_EQ(LoadBE<std::uint32_t>(BytesOf(portable) + 4), right) << "seed " << seed;
    }
  }
}

TEST(BlowfishFastPaths, KeyScheduleFormsAgree) {
  if (!ProcessorFeatures().bitFieldExtract) GTEST_SKIP() << "processor without BMI1";
  for (std::uint32_t seed = 1; seed <= 10; ++seed) {
    Tables portable = PatternTables(seed);
    Tables extract = portable;
    blowfish::FillKeySchedule<false>(portable.s.data(), portable.p.data());
    blowfish::FillKeySchedule<true>(extract.s.data(), extract.p.data());
    ASSERT_EQ(portable.s, extract.s) << "seed " << seed;
    ASSERT_EQ(portable.p, extract.p) << "seed " << seed;
  }
}

// Blowfish with its batch and chain routines replaced by the cipher base's
// block-by-block loops.
class BlockByBlockBlowfish : public TCipher_Blowfish {
 public:
  BlockByBlockBlowfish() : TCipher_Blowfish(nullptr) {}

 protected:
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override {
    TCipher::EncipherBlocks(blocks, count);
  }
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override {
    TCipher::DecipherBlocks(blocks, count);
  }
  void EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest, std::size_t count,
                             TChainFeedback feedback) override {
    TCipher::EncipherChainedBlocks(source, dest, count, feedback);
  }
};

// Every mode that uses the batch or chain routines, over lengths around the
// batch sizes, at every alignment of the data, in both directions: the same
// bytes and the same chain value as block by block.
TEST(BlowfishFastPaths, ModesGiveTheBlockByBlockBytes) {
  const ByteString key = test::PatternBytes(32, 77);
  const auto fast = MakeProtection<TCipher_Blowfish>(nullptr);
  BlockByBlockBlowfish reference;
  fast->Init(key.data(), 32, nullptr);
  reference.Init(key.data(), 32, nullptr);
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 140; ++n)
    lengths.push_back(n);
  for (const std::size_t n : {511u, 512u, 513u, 4096u, 4101u})
    lengths.push_back(n);
  const ByteString source = test::PatternBytes(4101 + 8, 3);
  for (const TCipherMode mode : {cmCTS, cmCBC, cmECB, cmCTSMAC, cmCBCMAC}) {
    fast->Mode = mode;
    reference.Mode = mode;
    for (const bool encipher : {true, false}) {
      for (std::size_t offset = 0; offset < 8; ++offset) {
        for (const std::size_t length : lengths) {
          ByteString a = source;
          ByteString b = source;
          char* fastData = a.data() + offset;
          char* referenceData = b.data() + offset;
          const auto n = static_cast<std::int32_t>(length);
          fast->ResetChain();
          reference.ResetChain();
          if (encipher) {
            fast->EncipherBuffer(fastData, fastData, n);
            reference.EncipherBuffer(referenceData, referenceData, n);
          } else {
            fast->DecipherBuffer(fastData, fastData, n);
            reference.DecipherBuffer(referenceData, referenceData, n);
          }
          ASSERT_EQ(b, a) << "mode " << int{mode} << ", length " << length << ", offset " << offset
                          << (encipher ? ", enciphering" : ", deciphering");
          ASSERT_EQ(0, std::memcmp(fast->ChainBlock(), reference.ChainBlock(), 8))
              << "mode " << int{mode} << ", length " << length;
        }
      }
    }
  }
}

}  // namespace
}  // namespace velunor
