#pragma once

#include "cipher/cipher.h"

namespace velunor {

// IDEA as published: 64-bit block of four big-endian 16-bit words, 8 rounds
// and the output transformation, 128-bit key of eight big-endian words (a
// shorter key is filled up with zero bytes). Key data: the 52 enciphering
// subkeys, then the 52 deciphering subkeys, native 16-bit words.
class TCipher_IDEA : public TCipher {
 public:
  explicit TCipher_IDEA(TProtection* protection = nullptr) : TCipher(Class(), protection) {}

  static const TCipherClass& Class();

  void Init(const void* key, std::int32_t keySize, const void* iv) override;
  void EncipherBlock(std::uint8_t* block) override;
  void DecipherBlock(std::uint8_t* block) override;

 protected:
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;

 private:
  static constexpr std::size_t kSubkeys = 52;

  std::uint16_t* EncipherKeys() { return reinterpret_cast<std::uint16_t*>(KeyData()); }
  std::uint16_t* DecipherKeys() { return EncipherKeys() + kSubkeys; }
};

}  // namespace velunor
