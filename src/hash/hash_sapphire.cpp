#include "hash/hash_sapphire.h"

#include <cstring>

#include "runtime/support.h"

namespace velunor {

namespace {

// The 40-byte digest of SelfTestInput; the shorter classes' known answers
// are its first DigestSize bytes.
constexpr std::uint8_t kKnownAnswer[40] = {
    0x56, 0x8D, 0x7D, 0xBF, 0x44, 0x80, 0x79, 0x45, 0x37, 0x91, 0x7A, 0x5D, 0x9C, 0xC2,
    0x55, 0x45, 0x4F, 0xF9, 0x33, 0x69, 0x69, 0xB3, 0x97, 0x64, 0x52, 0xE2, 0xFA, 0x04,
    0x82, 0x5C, 0xBE, 0x66, 0x6E, 0x34, 0x44, 0xD3, 0xCB, 0xD9, 0x6A, 0x3F};

}  // namespace

const THashClass& THash_Sapphire320::Class() {
  static const THashClass cls("THash_Sapphire320", &THash::Class(), 40, kKnownAnswer,
                              CreateHashObject<THash_Sapphire320>);
  return cls;
}

const THashClass& THash_Sapphire288::Class() {
  static const THashClass cls("THash_Sapphire288", &THash_Sapphire320::Class(), 36, kKnownAnswer,
                              CreateHashObject<THash_Sapphire288>);
  return cls;
}

const THashClass& THash_Sapphire256::Class() {
  static const THashClass cls("THash_Sapphire256", &THash_Sapphire320::Class(), 32, kKnownAnswer,
                              CreateHashObject<THash_Sapphire256>);
  return cls;
}

const THashClass& THash_Sapphire224::Class() {
  static const THashClass cls("THash_Sapphire224", &THash_Sapphire320::Class(), 28, kKnownAnswer,
                              CreateHashObject<THash_Sapphire224>);
  return cls;
}

const THashClass& THash_Sapphire192::Class() {
  static const THashClass cls("THash_Sapphire192", &THash_Sapphire320::Class(), 24, kKnownAnswer,
                              CreateHashObject<THash_Sapphire192>);
  return cls;
}

const THashClass& THash_Sapphire160::Class() {
  static const THashClass cls("THash_Sapphire160", &THash_Sapphire320::Class(), 20, kKnownAnswer,
                              CreateHashObject<THash_Sapphire160>);
  return cls;
}

const THashClass& THash_Sapphire128::Class() {
  static const THashClass cls("THash_Sapphire128", &THash_Sapphire320::Class(), 16, kKnownAnswer,
                              CreateHashObject<THash_Sapphire128>);
  return cls;
}

THash_Sapphire320::~THash_Sapphire320() {
  SecureFill(DigestArea, 0, sizeof DigestArea);
  SecureFill(Cards, 0, sizeof Cards);
}

// The unkeyed start: fixed indices and the cards in reverse order.
void THash_Sapphire320::Init() {
  std::memset(DigestArea, 0, sizeof DigestArea);
  ByteCount = 0;
  Rotor = 1;
  Ratchet = 3;
  Avalanche = 5;
  LastPlain = 7;
  LastCipher = 11;
  for (int i = 0; i < 256; ++i)
    Cards[i] = static_cast<std::uint8_t>(255 - i);
  RunChainHook(ChainHookPoint::kInit);
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

void THash_Sapphire320::AddData(std::span<const std::uint8_t> data) {
  ByteCount += data.size();
  for (const std::uint8_t byte : data)
    EncryptByte(byte);
}

void THash_Sapphire320::Finish() {
  for (int closing = 255; closing >= 0; --closing)
    EncryptByte(static_cast<std::uint8_t>(closing));
  const auto size = static_cast<std::size_t>(DigestSize());
  for (std::size_t i = 0; i < size; ++i)
    DigestArea[i] = EncryptByte(0);
  RunChainHook(ChainHookPoint::kFinish);
}

std::uint8_t* THash_Sapphire320::DigestBuffer() {
  return DigestArea;
}

}  // namespace velunor
