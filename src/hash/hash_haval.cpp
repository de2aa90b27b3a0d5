#include "hash/hash_haval.h"

#include <cstring>

#include "hash/block_feeder.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The published HAVAL constants (Zheng, Pieprzyk, Seberry, AUSCRYPT'92): the
// initial chaining words are the first eight words of the fractional part of
// pi, the step constants of passes 2..5 the next 128. Pass 1 has none.
constexpr std::uint32_t kInitialChaining[8] = {0x243F6A88, 0x85A308D3, 0x13198A2E, 0x03707344,
                                               0xA4093822, 0x299F31D0, 0x082EFA98, 0xEC4E6C89};

constexpr std::uint32_t kStepConstants[5][32] = {
    {},
    {0x452821E6, 0x38D01377, 0xBE5466CF, 0x34E90C6C, 0xC0AC29B7, 0xC97C50DD, 0x3F84D5B5,
     0xB5470917, 0x9216D5D9, 0x8979FB1B, 0xD1310BA6, 0x98DFB5AC, 0x2FFD72DB, 0xD01ADFB7,
     0xB8E1AFED, 0x6A267E96, 0xBA7C9045, 0xF12C7F99, 0x24A19947, 0xB3916CF7, 0x0801F2E2,
     0x858EFC16, 0x636920D8, 0x71574E69, 0xA458FEA3, 0xF4933D7E, 0x0D95748F, 0x728EB658,
     0x718BCD58, 0x82154AEE, 0x7B54A41D, 0xC25A59B5},
    {0x9C30D539, 0x2AF26013, 0xC5D1B023, 0x286085F0, 0xCA417918, 0xB8DB38EF, 0x8E79DCB0,
     0x603A180E, 0x6C9E0E8B, 0xB01E8A3E, 0xD71577C1, 0xBD314B27, 0x78AF2FDA, 0x55605C60,
     0xE65525F3, 0xAA55AB94, 0x57489862, 0x63E81440, 0x55CA396A, 0x2AAB10B6, 0xB4CC5C34,
     0x1141E8CE, 0xA15486AF, 0x7C72E993, 0xB3EE1411, 0x636FBC2A, 0x2BA9C55D, 0x741831F6,
     0xCE5C3E16, 0x9B87931E, 0xAFD6BA33, 0x6C24CF5C},
    {0x7A325381, 0x28958677, 0x3B8F4898, 0x6B4BB9AF, 0xC4BFE81B, 0x66282193, 0x61D809CC,
     0xFB21A991, 0x487CAC60, 0x5DEC8032, 0xEF845D5D, 0xE98575B1, 0xDC262302, 0xEB651B88,
     0x23893E81, 0xD396ACC5, 0x0F6D6FF3, 0x83F44239, 0x2E0B4482, 0xA4842004, 0x69C8F04A,
     0x9E1F9B5E, 0x21C66842, 0xF6E96C9A, 0x670C9C61, 0xABD388F0, 0x6A51A0D2, 0xD8542F68,
     0x960FA728, 0xAB5133A3, 0x6EEF0B6C, 0x137A3BE4},
    {0xBA3BF050, 0x7EFB2A98, 0xA1F1651D, 0x39AF0176, 0x66CA593E, 0x82430E88, 0x8CEE8619,
     0x456F9FB4, 0x7D84A5C3, 0x3B8B5EBE, 0xE06F75D8, 0x85C12073, 0x401A449F, 0x56C16AA6,
     0x4ED3AA62, 0x363F7706, 0x1BFEDF72, 0x429B023D, 0x37D0D724, 0xD00A1248, 0xDB0FEAD3,
     0x49F1C09B, 0x075372C9, 0x80991B7B, 0x25D479D8, 0xF6E8DEF7, 0xE3FE501A, 0xB6794C3B,
     0x976CE0BD, 0x04C006BA, 0xC1A94FB6, 0x409F60C4},
};

// Step i of pass p reads message word kWordOrder[p][i].
constexpr std::uint8_t kWordOrder[5][32] = {
    {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
     16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
    {5,  14, 26, 18, 11, 28, 7,  16, 0,  23, 20, 22, 1, 10, 4,  8,
     30, 3,  21, 9,  17, 24, 29, 6,  19, 12, 15, 13, 2, 25, 31, 27},
    {19, 9,  4, 20, 28, 17, 8,  22, 29, 14, 25, 12, 24, 30, 16, 26,
     31, 15, 7, 3,  1,  0,  18, 27, 13, 6,  21, 10, 23, 11, 5,  2},
    {24, 4,  0,  14, 2, 7,  28, 23, 26, 6,  30, 20, 18, 25, 19, 3,
     22, 11, 31, 21, 8, 27, 12, 9,  1,  29, 5,  15, 17, 10, 16, 13},
    {27, 3, 21, 26, 17, 11, 20, 29, 19, 0,  12, 7,  13, 8, 31, 10,
     5,  9, 14, 30, 18, 6,  28, 24, 2,  23, 16, 22, 4,  1, 25, 15},
};

using Word = std::uint32_t;

// The five boolean functions, parameters in the order x6 .. x0.
inline Word F1(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0) {
  return (x1 & (x0 ^ x4)) ^ (x2 & x5) ^ (x3 & x6) ^ x0;
}
inline Word F2(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0) {
  return (x2 & ((x1 & ~x3) ^ (x4 & x5) ^ x6 ^ x0)) ^ (x4 & (x1 ^ x5)) ^ (x3 & x5) ^ x0;
}
inline Word F3(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0) {
  return (x3 & ((x1 & x2) ^ x6 ^ x0)) ^ (x1 & x4) ^ (x2 & x5) ^ x0;
}
inline Word F4(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0) {
  return (x4 & ((x5 & ~x2) ^ (x3 & ~x6) ^ x1 ^ x6 ^ x0)) ^ (x3 & ((x1 & x2) ^ x5 ^ x6)) ^
         (x2 & x6) ^ x0;
}
inline Word F5(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0) {
  return (x0 & ((x1 & x2 & x3) ^ ~x5)) ^ (x1 & x4) ^ (x2 & x5) ^ (x3 & x6);
}

// Pass kPass (1-based) of a kPasses-pass HAVAL: the pass's boolean function
// applied to the step's words x6 .. x0 in the order of its input permutation.
template <int kPasses, int kPass>
Word Phi(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0) {
  if constexpr (kPasses == 3) {
    if constexpr (kPass == 1) return F1(x1, x0, x3, x5, x6, x2, x4);
    if constexpr (kPass == 2) return F2(x4, x2, x1, x0, x5, x3, x6);
    if constexpr (kPass == 3) return F3(x6, x1, x2, x3, x4, x5, x0);
  } else if constexpr (kPasses == 4) {
    if constexpr (kPass == 1) return F1(x2, x6, x1, x4, x5, x3, x0);
    if constexpr (kPass == 2) return F2(x3, x5, x2, x0, x1, x6, x4);
    if constexpr (kPass == 3) return F3(x1, x4, x3, x6, x0, x2, x5);
    if constexpr (kPass == 4) return F4(x6, x4, x0, x5, x2, x1, x3);
  } else {
    if constexpr (kPass == 1) return F1(x3, x4, x1, x0, x5, x2, x6);
    if constexpr (kPass == 2) return F2(x6, x2, x1, x0, x3, x4, x5);
    if constexpr (kPass == 3) return F3(x2, x6, x0, x4, x3, x1, x5);
    if constexpr (kPass == 4) return F4(x1, x5, x3, x2, x0, x4, x6);
    if constexpr (kPass == 5) return F5(x2, x5, x0, x6, x4, x3, x1);
  }
}

// One step: the register named x7 takes the new value.
template <int kPasses, int kPass, int kStep>
inline void Step(Word& x7, Word x6, Word x5, Word x4, Word x3, Word x2, Word x1, Word x0,
                 const Word* w) {
  constexpr Word constant = kStepConstants[kPass - 1][kStep];
  constexpr int word = kWordOrder[kPass - 1][kStep];
  x7 = RotateRight32(Phi<kPasses, kPass>(x6, x5, x4, x3, x2, x1, x0), 7) + RotateRight32(x7, 11) +
       w[word] + constant;
}

// Eight steps starting at step kFirst; the register names move down by one
// from step to step, so after eight steps they are back where they started.
template <int kPasses, int kPass, int kFirst>
inline void EightSteps(Word (&t)[8], const Word* w) {
  Step<kPasses, kPass, kFirst + 0>(t[7], t[6], t[5], t[4], t[3], t[2], t[1], t[0], w);
  Step<kPasses, kPass, kFirst + 1>(t[6], t[5], t[4], t[3], t[2], t[1], t[0], t[7], w);
  Step<kPasses, kPass, kFirst + 2>(t[5], t[4], t[3], t[2], t[1], t[0], t[7], t[6], w);
  Step<kPasses, kPass, kFirst + 3>(t[4], t[3], t[2], t[1], t[0], t[7], t[6], t[5], w);
  Step<kPasses, kPass, kFirst + 4>(t[3], t[2], t[1], t[0], t[7], t[6], t[5], t[4], w);
  Step<kPasses, kPass, kFirst + 5>(t[2], t[1], t[0], t[7], t[6], t[5], t[4], t[3], w);
  Step<kPasses, kPass, kFirst + 6>(t[1], t[0], t[7], t[6], t[5], t[4], t[3], t[2], w);
  Step<kPasses, kPass, kFirst + 7>(t[0], t[7], t[6], t[5], t[4], t[3], t[2], t[1], w);
}

template <int kPasses, int kPass>
inline void RunPass(Word (&t)[8], const Word* w) {
  EightSteps<kPasses, kPass, 0>(t, w);
  EightSteps<kPasses, kPass, 8>(t, w);
  EightSteps<kPasses, kPass, 16>(t, w);
  EightSteps<kPasses, kPass, 24>(t, w);
}

// The compression routine of a kPasses-pass HAVAL.
template <int kPasses>
void CompressHaval(Word (&state)[8], const std::uint8_t* block) {
  Word w[32];
  LoadLE(w, block);  // little-endian message words
  Word t[8];
  std::memcpy(t, state, sizeof t);
  RunPass<kPasses, 1>(t, w);
  RunPass<kPasses, 2>(t, w);
  RunPass<kPasses, 3>(t, w);
  if constexpr (kPasses >= 4) RunPass<kPasses, 4>(t, w);
  if constexpr (kPasses >= 5) RunPass<kPasses, 5>(t, w);
  for (int i = 0; i < 8; ++i)
    state[i] += t[i];
}

// The pass count for a digest size when none has been chosen yet.
std::int32_t PassCountFor(std::int32_t digestSize) {
  if (digestSize <= 20) return 3;
  if (digestSize <= 28) return 4;
  return 5;
}

}  // namespace

THash_Haval256::~THash_Haval256() {
  SecureFill(ChainingState, 0, sizeof ChainingState);
  SecureFill(BlockBuffer, 0, sizeof BlockBuffer);
}

void THash_Haval256::ChooseCompressRoutine() {
  if (PassCount < 3 || PassCount > 5) PassCount = PassCountFor(DigestSize());
  switch (PassCount) {
    case 3:
      Compress = CompressHaval<3>;
      break;
    case 4:
      Compress = CompressHaval<4>;
      break;
    default:
      Compress = CompressHaval<5>;
      break;
  }
}

void THash_Haval256::StartDigest() {
  std::memset(BlockBuffer, 0, sizeof BlockBuffer);
  ChooseCompressRoutine();
  ByteCount = 0;
  std::memcpy(ChainingState, kInitialChaining, sizeof ChainingState);
}

void THash_Haval256::Absorb(std::span<const std::uint8_t> data) {
  if (Compress == nullptr) ChooseCompressRoutine();  // fed before the first Init
  FeedBlocks(BlockBuffer, ByteCount, data,
             [this](const std::uint8_t* block) { Compress(ChainingState, block); });
}

void THash_Haval256::CompleteDigest() {
  if (Compress == nullptr) ChooseCompressRoutine();
  // Padding: 01, zeros, then the pass count and version, the digest length
  // in units of 4 bits, and the 64-bit bit length in bytes 118..127.
  constexpr std::size_t kTrailerOffset = 118;
  const auto used = static_cast<std::size_t>(ByteCount % kBlockSize);
  BlockBuffer[used] = 0x01;
  std::memset(BlockBuffer + used + 1, 0, kBlockSize - used - 1);
  if (used >= kTrailerOffset) {
    Compress(ChainingState, BlockBuffer);
    std::memset(BlockBuffer, 0, kBlockSize);
  }
  BlockBuffer[118] = static_cast<std::uint8_t>(PassCount * 8 + 1);
  BlockBuffer[119] = static_cast<std::uint8_t>(DigestSize() * 2);
  StoreLE(BlockBuffer + 120, ByteCount * 8);
  Compress(ChainingState, BlockBuffer);
  std::memset(BlockBuffer, 0, kBlockSize);
  FoldDigest();
}

std::uint8_t* THash_Haval256::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(ChainingState);
}

// HAVAL's output tailoring: the words beyond the digest are cut into bit
// fields that are added onto the digest words.
void THash_Haval256::FoldDigest() {
  Word* h = ChainingState;
  switch (DigestSize()) {
    case 28:
      h[0] += (h[7] >> 27) & 0x1F;
      h[1] += (h[7] >> 22) & 0x1F;
      h[2] += (h[7] >> 18) & 0x0F;
      h[3] += (h[7] >> 13) & 0x1F;
      h[4] += (h[7] >> 9) & 0x0F;
      h[5] += (h[7] >> 4) & 0x1F;
      h[6] += h[7] & 0x0F;
      break;
    case 24:
      h[0] += RotateRight32((h[7] & 0x0000001F) | (h[6] & 0xFC000000), 26);
      h[1] += (h[7] & 0x000003E0) | (h[6] & 0x0000001F);
      h[2] += ((h[7] & 0x0000FC00) | (h[6] & 0x000003E0)) >> 5;
      h[3] += ((h[7] & 0x001F0000) | (h[6] & 0x0000FC00)) >> 10;
      h[4] += ((h[7] & 0x03E00000) | (h[6] & 0x001F0000)) >> 16;
      h[5] += ((h[7] & 0xFC000000) | (h[6] & 0x03E00000)) >> 21;
      break;
    case 20:
      h[0] += RotateRight32((h[7] & 0x0000003F) | (h[6] & 0xFE000000) | (h[5] & 0x01F80000), 19);
      h[1] += RotateRight32((h[7] & 0x00000FC0) | (h[6] & 0x0000003F) | (h[5] & 0xFE000000), 25);
      h[2] += (h[7] & 0x0007F000) | (h[6] & 0x00000FC0) | (h[5] & 0x0000003F);
      h[3] += ((h[7] & 0x01F80000) | (h[6] & 0x0007F000) | (h[5] & 0x00000FC0)) >> 6;
      h[4] += ((h[7] & 0xFE000000) | (h[6] & 0x01F80000) | (h[5] & 0x0007F000)) >> 12;
      break;
    case 16:
      h[0] += RotateRight32(
          (h[7] & 0x000000FF) | (h[6] & 0xFF000000) | (h[5] & 0x00FF0000) | (h[4] & 0x0000FF00), 8);
      h[1] += RotateRight32(
          (h[7] & 0x0000FF00) | (h[6] & 0x000000FF) | (h[5] & 0xFF000000) | (h[4] & 0x00FF0000),
          16);
      h[2] += RotateRight32(
          (h[7] & 0x00FF0000) | (h[6] & 0x0000FF00) | (h[5] & 0x000000FF) | (h[4] & 0xFF000000),
          24);
      h[3] += (h[7] & 0xFF000000) | (h[6] & 0x00FF0000) | (h[5] & 0x0000FF00) | (h[4] & 0x000000FF);
      break;
    default:  // 256 bits: the eight words as they are
      break;
  }
}

}  // namespace velunor
