#pragma once

#include "cipher/scheduled_cipher.h"

namespace velunor {

// The key schedule: the 52 enciphering subkeys, then the 52 deciphering subkeys.
struct IdeaKeySchedule {
  std::uint16_t encipherKeys[52];
  std::uint16_t decipherKeys[52];
};

// IDEA as published: 64-bit block of four big-endian 16-bit words, 8 rounds
// and the output transformation, 128-bit key of eight big-endian words (a
// shorter key is filled up with zero bytes).
class TCipher_IDEA : public TScheduledCipher<IdeaKeySchedule> {
 public:
  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  using TCipher::Init;  // the span form
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  explicit TCipher_IDEA(TProtection* protection = nullptr)
      : TScheduledCipher(Class(), protection) {}
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  static constexpr std::size_t kSubkeys = 52;

  std::uint16_t* EncipherKeys() { return KeySchedule().encipherKeys; }
  std::uint16_t* DecipherKeys() { return KeySchedule().decipherKeys; }
};

}  // namespace velunor
