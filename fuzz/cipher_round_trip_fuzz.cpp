#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "cipher/cipher.h"
#include "cipher/cipher_errors.h"
#include "cipher/cipher_registry.h"
#include "hash/hash_registry.h"

namespace {

using velunor::ByteString;
using velunor::TCipher;

// Keys the cipher from raw key bytes (any length, the library cuts what is
// too long) or from a keyword through any registered hash.
void Key(TCipher& cipher, FuzzedDataProvider& input, const ByteString& iv) {
  const void* ivData = iv.empty() ? nullptr : iv.data();
  if (input.ConsumeBool()) {
    const ByteString key =
        input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 80));
    cipher.Init(key.data(), static_cast<std::int32_t>(key.size()), ivData);
    return;
  }
  const auto& hashes = velunor::HashRegistry().Entries();
  cipher.SetKeyHashClass(
      hashes[input.ConsumeIntegralInRange<std::size_t>(0, hashes.size() - 1)].cls);
  cipher.InitKey(input.ConsumeRandomLengthString(100), ivData);
}

// In place, as the coding pipeline codes its buffers.
ByteString Run(TCipher& cipher, const ByteString& data, bool encipher) {
  ByteString out = data;
  const auto count = static_cast<std::int32_t>(out.size());
  if (encipher) {
    cipher.EncipherBuffer(out.data(), out.data(), count);
  } else {
    cipher.DecipherBuffer(out.data(), out.data(), count);
  }
  return out;
}

ByteString Chain(const TCipher& cipher) {
  return ByteString(reinterpret_cast<const char*>(cipher.ChainBlock()),
                    static_cast<std::size_t>(cipher.BlockSize));
}

}  // namespace

// Any cipher, mode, key and data: deciphering garbage must be harmless, and
// what is enciphered deciphers to the same bytes. MAC modes leave the data
// as it is and end both ways on the same chain value, the MAC value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider input(bytes, size);
  const auto& ciphers = velunor::CipherRegistry().Entries();
  const velunor::TCipherClass& cls =
      *ciphers[input.ConsumeIntegralInRange<std::size_t>(0, ciphers.size() - 1)].cls;
  const auto mode = static_cast<velunor::TCipherMode>(input.ConsumeIntegralInRange(0, 7));
  const auto blockSize = static_cast<std::size_t>(cls.CipherInfo().BlockSize);
  const ByteString iv = input.ConsumeBool() ? input.ConsumeBytesAsString(blockSize) : ByteString();
  if (!iv.empty() && iv.size() != blockSize) return 0;

  const velunor::ProtectionRef<TCipher> cipher = cls.Create();
  cipher->Mode = mode;
  try {
    Key(*cipher, input, iv);
  } catch (const velunor::ECipherException&) {
    return 0;  // a key of a length the cipher refuses
  }
  const ByteString data = input.ConsumeRemainingBytesAsString();

  Run(*cipher, data, false);  // garbage
  cipher->ResetChain();
  const ByteString enciphered = Run(*cipher, data, true);
  const ByteString macAfterEncipher = Chain(*cipher);
  cipher->ResetChain();
  const ByteString deciphered = Run(*cipher, enciphered, false);
  if (deciphered != data) __builtin_trap();
  if (IsMacMode(mode) && (enciphered != data || Chain(*cipher) != macAfterEncipher)) {
    __builtin_trap();
  }
  return 0;
}
