#include "hash/hash_snefru.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "hash/block_feeder.h"
#include "hash/snefru_sboxes.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kPasses = 8;
constexpr std::int32_t kMaxPasses = 8;  // two of the sixteen S-boxes per pass

// Rotation of all words after each of the four sub-rounds of a pass.
constexpr std::uint32_t kSubRoundShifts[4] = {16, 8, 16, 24};

}  // namespace

namespace {

// Step I of a sub-round: word I's low byte selects an entry of the pass's
// even S-box (words 0, 1, 4, 5, ...) or odd S-box (words 2, 3, 6, 7, ...),
// which is XORed into both neighbours. Word I is read as step I - 1 left it.
//
// The steps form one chain: each index is the low byte of the word the step
// before has just changed. So the next index is carried separately as the
// low byte of that word before the change XOR the low byte of the entry,
// which is loaded on its own (byte 0 of an entry on little-endian machines):
// a load and an XOR per step instead of a load, an XOR and a zero extension.
// The byte view of the boxes comes through an empty statement, so that the
// compiler does not derive the byte from the word load again.
template <std::size_t I>
inline void MixStep(std::uint32_t (&w)[16], const std::uint32_t* const (&boxes)[2],
                    const std::uint8_t* const (&boxBytes)[2], std::size_t& index) {
  constexpr std::size_t kBox = (I & 2) == 0 ? 0 : 1;
  const std::uint32_t x = boxes[kBox][index];
  std::size_t next;
  if constexpr (std::endian::native == std::endian::little) {
    std::size_t low = w[(I + 1) & 15] & 0xFF;
#if defined(__GNUC__)
    asm("" : "+r"(low));  // already below 256: no zero extension after the XOR
#endif
    next = low ^ boxBytes[kBox][4 * index];
  } else {
    next = (w[(I + 1) & 15] ^ x) & 0xFF;
  }
  w[(I + 1) & 15] ^= x;
  w[(I + 15) & 15] ^= x;
  index = next;
}

template <std::size_t... I>
inline void MixSubRound(std::uint32_t (&w)[16], const std::uint32_t* const (&boxes)[2],
                        const std::uint8_t* const (&boxBytes)[2], std::uint32_t shift,
                        std::index_sequence<I...>) {
  std::size_t index = w[0] & 0xFF;
  (MixStep<I>(w, boxes, boxBytes, index), ...);
  ((w[I] = RotateRight32(w[I], shift)), ...);
}

}  // namespace

void MixSnefruBlock(std::uint32_t (&block)[16], std::int32_t passes) {
  passes = std::clamp(passes, 0, kMaxPasses);
  std::uint32_t w[16];  // a local copy the compiler can keep in registers
  std::memcpy(w, block, sizeof w);
  for (std::int32_t pass = 0; pass < passes; ++pass) {
    const std::uint32_t* const boxes[2] = {kSnefruSBoxes[2 * pass], kSnefruSBoxes[2 * pass + 1]};
    const std::uint8_t* boxBytes[2] = {reinterpret_cast<const std::uint8_t*>(boxes[0]),
                                       reinterpret_cast<const std::uint8_t*>(boxes[1])};
#if defined(__GNUC__)
    asm("" : "+r"(boxBytes[0]), "+r"(boxBytes[1]));
#endif
    const std::uint8_t* const(&bytes)[2] = boxBytes;
    for (const std::uint32_t shift : kSubRoundShifts) {
      MixSubRound(w, boxes, bytes, shift, std::make_index_sequence<16>());
    }
  }
  std::memcpy(block, w, sizeof w);
}

THash_Snefru::~THash_Snefru() {
  SecureFill(WorkingBlock, 0, sizeof WorkingBlock);
  SecureFill(MessageBuffer, 0, sizeof MessageBuffer);
}

void THash_Snefru::StartDigest() {
  std::memset(WorkingBlock, 0, sizeof WorkingBlock);
  std::memset(MessageBuffer, 0, sizeof MessageBuffer);
  PassCount = kPasses;
  ByteCount = 0;
}

void THash_Snefru::Absorb(std::span<const std::uint8_t> data) {
  FeedBlocks(MessageBuffer, ByteCount, data,
             [this](const std::uint8_t* block) { CompressBlock(block); });
}

void THash_Snefru::CompressBlock(const std::uint8_t* block) {
  std::memcpy(WorkingBlock + 8, block, kBlockSize);
  MixSnefruBlock(WorkingBlock, PassCount);
  for (int i = 0; i < 8; ++i)
    WorkingBlock[i] ^= WorkingBlock[15 - i];
}

void THash_Snefru::CompleteDigest() {
  // Zero fill after the data; the 64-bit bit length takes the last eight
  // bytes, in a block of its own only when the data leaves less room.
  constexpr std::size_t kLengthOffset = kBlockSize - 8;
  const auto used = static_cast<std::size_t>(ByteCount % kBlockSize);
  std::memset(MessageBuffer + used, 0, kBlockSize - used);
  if (used > kLengthOffset) {
    CompressBlock(MessageBuffer);
    std::memset(MessageBuffer, 0, kBlockSize);
  }
  StoreLE(MessageBuffer + kLengthOffset, ByteCount * 8);
  CompressBlock(MessageBuffer);
  std::memset(MessageBuffer, 0, kBlockSize);
}

std::uint8_t* THash_Snefru::DigestBuffer() {
  return reinterpret_cast<std::uint8_t*>(WorkingBlock);
}

}  // namespace velunor
