#include "cipher/cipher_q128.h"

#include <cstring>

#include "cipher/padded_key.h"
#include "cipher/q128_table.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::int32_t kMaxKeySize = TCipher_Q128::kInfo.MaxKeySize;
constexpr std::int32_t kKeyDataSize = TCipher_Q128::kInfo.KeyDataSize;
static_assert(sizeof(Q128KeySchedule) == kKeyDataSize);

// Key set-up mixing passes; the last 16 give the round keys.
constexpr int kSetupPasses = 19;
constexpr int kRounds = 16;

inline std::uint32_t Table(std::uint32_t word) {
  return kQ128Table[word & 0x3FF];
}

}  // namespace

void TCipher_Q128::ScheduleKey(std::span<const std::uint8_t> key) {
  std::uint32_t b[4];
  LoadLE(b, TPaddedKey<kMaxKeySize>(key).Bytes());
  std::uint32_t* e = ExpandedKey();
  for (int pass = 0; pass < kSetupPasses; ++pass) {
    for (int i = 0; i < 4; ++i) {
      b[(i + 1) & 3] ^= Table(b[i]);
      b[i] = RotateRight32(b[i], 10);
    }
    if (pass >= kSetupPasses - kRounds) {
      std::memcpy(e, b, sizeof b);
      e += 4;
    }
  }
  SecureFill(b, 0, sizeof b);
}

void TCipher_Q128::EncipherBlock(std::uint8_t* block) {
  std::uint32_t b[4];
  LoadLE(b, block);
  const std::uint32_t* e = ExpandedKey();
  for (int round = 0; round < kRounds; ++round, e += 4) {
    b[1] ^= Table(b[0]) + e[0];
    b[0] = RotateLeft32(b[0], 10);
    b[2] ^= Table(b[1]) + e[1];
    b[1] = RotateLeft32(b[1], 10);
    b[3] ^= Table(b[2]) + e[2];
    b[2] = RotateLeft32(b[2], 10);
    b[0] ^= Table(b[3]) + e[3];
    b[3] = RotateLeft32(b[3], 10);
  }
  StoreLE(block, b);
}

void TCipher_Q128::DecipherBlock(std::uint8_t* block) {
  std::uint32_t b[4];
  LoadLE(b, block);
  const std::uint32_t* e = ExpandedKey() + 4 * kRounds;
  for (int round = 0; round < kRounds; ++round) {
    e -= 4;
    b[3] = RotateRight32(b[3], 10);
    b[0] ^= Table(b[3]) + e[3];
    b[2] = RotateRight32(b[2], 10);
    b[3] ^= Table(b[2]) + e[2];
    b[1] = RotateRight32(b[1], 10);
    b[2] ^= Table(b[1]) + e[1];
    b[0] = RotateRight32(b[0], 10);
    b[1] ^= Table(b[0]) + e[0];
  }
  StoreLE(block, b);
}

}  // namespace velunor
