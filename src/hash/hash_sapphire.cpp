#include "hash/hash_sapphire.h"

#include <cstring>

#include "runtime/support.h"

namespace velunor {

THash_Sapphire320::~THash_Sapphire320() {
  SecureFill(DigestArea, 0, sizeof DigestArea);
  SecureFill(Cards, 0, sizeof Cards);
}

// The unkeyed start: fixed indices and the cards in reverse order.
void THash_Sapphire320::StartDigest() {
  std::memset(DigestArea, 0, sizeof DigestArea);
  ByteCount = 0;
  Rotor = 1;
  Ratchet = 3;
  Avalanche = 5;
  LastPlain = 7;
  LastCipher = 11;
  for (int i = 0; i < 256; ++i)
    Cards[i] = static_cast<std::uint8_t>(255 - i);
}

// The order of the statements matters: indices may coincide, and every read
// sees the cards as the previous statements left them. All index arithmetic
// wraps modulo 256 through the one-byte types.
std::uint8_t THash_Sapphire320::EncryptByte(std::uint8_t plain) {
  Ratchet = static_cast<std::uint8_t>(Ratchet + Cards[Rotor]);
  ++Rotor;
  // Move four cards in a cycle.
  const std::uint8_t moved = Cards[LastCipher];
  Cards[LastCipher] = Cards[Ratchet];
  Cards[Ratchet] = Cards[LastPlain];
  Cards[LastPlain] = Cards[Rotor];
  Cards[Rotor] = moved;
  Avalanche = static_cast<std::uint8_t>(Avalanche + Cards[moved]);
  // LastPlain and LastCipher still name the previous step's bytes here.
  const auto first = static_cast<std::uint8_t>(Cards[Ratchet] + Cards[Rotor]);
  const auto second =
      static_cast<std::uint8_t>(Cards[LastPlain] + Cards[LastCipher] + Cards[Avalanche]);
  const auto cipher = static_cast<std::uint8_t>(plain ^ Cards[first] ^ Cards[Cards[second]]);
  LastCipher = cipher;
  LastPlain = plain;
  return cipher;
}

void THash_Sapphire320::Absorb(std::span<const std::uint8_t> data) {
  ByteCount += data.size();
  for (const std::uint8_t byte : data)
    EncryptByte(byte);
}

void THash_Sapphire320::CompleteDigest() {
  for (int closing = 255; closing >= 0; --closing)
    EncryptByte(static_cast<std::uint8_t>(closing));
  const auto size = static_cast<std::size_t>(DigestSize());
  for (std::size_t i = 0; i < size; ++i)
    DigestArea[i] = EncryptByte(0);
}

std::uint8_t* THash_Sapphire320::DigestBuffer() {
  return DigestArea;
}

}  // namespace velunor
