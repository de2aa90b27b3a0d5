#include "cipher/cipher_shark.h"

#include "cipher/padded_key.h"
#include "cipher/shark_tables.h"
#include "primitives/shark_sbox.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kBlockSize = TCipher_Shark::kInfo.BlockSize;
constexpr std::int32_t kMaxKeySize = TCipher_Shark::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_Shark::kInfo.KeyDataSize;
static_assert(sizeof(SharkKeySchedule) == kKeyDataSize);
constexpr int kRounds = 6;

inline std::size_t ByteAt(std::uint64_t x, int i) {
  return static_cast<std::size_t>((x >> (8 * (7 - i))) & 0xFF);
}

// One round: S-box and diffusion matrix on all eight bytes at once.
inline std::uint64_t Round(const SharkRoundTables& t, std::uint64_t x) {
  return t[0][ByteAt(x, 0)] ^ t[1][ByteAt(x, 1)] ^ t[2][ByteAt(x, 2)] ^ t[3][ByteAt(x, 3)] ^
         t[4][ByteAt(x, 4)] ^ t[5][ByteAt(x, 5)] ^ t[6][ByteAt(x, 6)] ^ t[7][ByteAt(x, 7)];
}

inline std::uint64_t Substitute(const std::uint8_t (&sbox)[256], std::uint64_t x) {
  std::uint64_t result = 0;
  for (int i = 0; i < 64; i += 8)
    result |= std::uint64_t{sbox[(x >> i) & 0xFF]} << i;
  return result;
}

// The inverse diffusion matrix alone, which turns round keys into the form
// the deciphering rounds need: the deciphering tables apply it after the
// inverse S-box, so the S-box goes first to cancel that.
inline std::uint64_t TransformKey(std::uint64_t key) {
  return Round(kSharkDecipherTables, Substitute(kSharkSBox, key));
}

// Five full rounds, then the last key layer around a plain S-box layer.
// `lanes` independent blocks run side by side to overlap their look-ups.
template <std::size_t lanes>
inline void CodeLanes(const SharkRoundTables& t, const std::uint8_t (&sbox)[256],
                      const std::uint64_t* k, std::uint64_t* x) {
  for (int round = 0; round < kRounds - 1; ++round) {
    for (std::size_t n = 0; n < lanes; ++n)
      x[n] = Round(t, x[n] ^ k[round]);
  }
  for (std::size_t n = 0; n < lanes; ++n)
    x[n] = Substitute(sbox, x[n] ^ k[kRounds - 1]) ^ k[kRounds];
}

template <std::size_t lanes>
inline void CodeBlocks(const SharkRoundTables& t, const std::uint8_t (&sbox)[256],
                       const std::uint64_t* k, std::uint8_t* blocks, std::size_t count) {
  std::uint64_t x[lanes];
  for (; count >= lanes; count -= lanes, blocks += lanes * kBlockSize) {
    LoadLE(x, blocks);
    CodeLanes<lanes>(t, sbox, k, x);
    StoreLE(blocks, x);
  }
  for (; count > 0; --count, blocks += kBlockSize) {
    x[0] = LoadLE<std::uint64_t>(blocks);
    CodeLanes<1>(t, sbox, k, x);
    StoreLE(blocks, x[0]);
  }
}

constexpr std::size_t kLanes = 4;

std::uint64_t EncipherWith(const std::uint64_t* k, std::uint64_t x) {
  CodeLanes<1>(kSharkEncipherTables, kSharkSBox, k, &x);
  return x;
}

}  // namespace

void TCipher_Shark::ScheduleKey(std::span<const std::uint8_t> key) {
  const TPaddedKey<kMaxKeySize> keyBytes(key);

  // Set-up keys: column 0 of G times S[r], the last one transformed like a
  // final round key.
  std::uint64_t setup[kRounds + 1];
  for (int r = 0; r <= kRounds; ++r)
    setup[r] = kSharkEncipherTables[0][static_cast<std::size_t>(r)];
  setup[kRounds] = TransformKey(setup[kRounds]);

  // The key, repeated, runs through SHARK under the set-up keys in 64-bit
  // cipher feedback; its two halves are read big-endian, first, second, first...
  std::uint64_t* k = EncipherKeys();
  std::uint64_t feedback = 0;
  for (int r = 0; r <= kRounds; ++r) {
    const std::uint64_t keyWord = LoadBE<std::uint64_t>(keyBytes.Bytes() + 8 * (r % 2));
    feedback = keyWord ^ EncipherWith(setup, feedback);
    k[r] = feedback;
  }
  k[kRounds] = TransformKey(k[kRounds]);

  std::uint64_t* d = DecipherKeys();
  d[0] = k[kRounds];
  for (int r = 1; r < kRounds; ++r)
    d[r] = TransformKey(k[kRounds - r]);
  d[kRounds] = k[0];

  SecureFill(setup, 0, sizeof setup);
  SecureFill(&feedback, 0, sizeof feedback);
}

void TCipher_Shark::EncipherBlock(std::uint8_t* block) {
  EncipherBlocks(block, 1);
}

void TCipher_Shark::DecipherBlock(std::uint8_t* block) {
  DecipherBlocks(block, 1);
}

void TCipher_Shark::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks<kLanes>(kSharkEncipherTables, kSharkSBox, EncipherKeys(), blocks, count);
}

void TCipher_Shark::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  CodeBlocks<kLanes>(kSharkDecipherTables, kSharkSBoxInverse, DecipherKeys(), blocks, count);
}

}  // namespace velunor
