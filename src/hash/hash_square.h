#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"

namespace velunor {

// A 128-bit hash built on the Square block cipher, in the Davies-Meyer
// construction: each 16-byte message block keys Square, which enciphers the
// chaining value, and the result is xored with the chaining value:
//   H(i) = Square[M(i)](H(i-1)) xor H(i-1).
// The message is padded with an 80 hex byte, zero bytes and its length in
// bits as a 64-bit little-endian number in bytes 8..15 of the last block
// (Merkle-Damgard strengthening, which with Davies-Meyer keeps collisions as
// hard as the cipher allows). Chaining value and digest: four words, each
// stored least significant byte first; they enter Square as its four rows.
class THash_Square : public THashFamily<THash_Square, THash, THashInfo{16, 16}> {
 public:
  static constexpr char kClassName[] = "THash_Square";
  static constexpr std::uint8_t kKnownAnswer[16] = {0x2B, 0x65, 0xF1, 0xCB, 0x55, 0xA9, 0x38, 0x46,
                                                    0xD5, 0xA4, 0x04, 0xE4, 0x1D, 0x93, 0xD1, 0x88};
  ~THash_Square() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
  static constexpr std::size_t kBlockSize = 16;

  // Folds one 16-byte block into ChainingState.
  void CompressBlock(const std::uint8_t* block);

  // Bytes fed since Init, 64 bits wide like the length field.
  std::uint64_t ByteCount = 0;
  std::uint8_t BlockBuffer[kBlockSize] = {};
  std::uint32_t ChainingState[4] = {};
};

}  // namespace velunor
