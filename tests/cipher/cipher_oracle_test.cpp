// The window's coding checked against an independent implementation: the
// keyword digest is Crypto++'s RIPEMD-256, the block cipher Crypto++'s
// Blowfish, the cmCTS chaining is written out here from its rule, and the
// base-64 text is Crypto++'s encoder without line breaks. Our side is the
// encrypter's coding, which the window and `velunor encrypt --text` use.
#include <gtest/gtest.h>

#include <crypto++/base64.h>
#include <crypto++/blowfish.h>
#include <crypto++/filters.h>
#include <crypto++/ripemd.h>

#include <array>
#include <cstring>
#include <memory>
#include <random>

#include "cipher/cipher_blowfish.h"
#include "encrypter/coding_profile.h"
#include "encrypter/text_coding.h"
#include "hash/hash_ripemd256.h"
#include "protection/format_registry.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using Block = std::array<CryptoPP::byte, 8>;

ByteString OracleRipeMD256(const ByteString& message) {
  CryptoPP::RIPEMD256 hash;
  ByteString digest(CryptoPP::RIPEMD256::DIGESTSIZE, '\0');
  hash.CalculateDigest(reinterpret_cast<CryptoPP::byte*>(digest.data()),
                       reinterpret_cast<const CryptoPP::byte*>(message.data()), message.size());
  return digest;
}

ByteString OracleBase64(const ByteString& bytes) {
  std::string text;
  CryptoPP::StringSource source(reinterpret_cast<const CryptoPP::byte*>(bytes.data()), bytes.size(),
                                true,
                                new CryptoPP::Base64Encoder(new CryptoPP::StringSink(text), false));
  return text;
}

// The window's cipher text of `plain` under `keyword`, by the rule: the key is
// the RIPEMD-256 digest of the keyword, the chain starts at IV = E(FF..FF);
// a full block P becomes C = E(P xor F) and then F = C xor F; a tail of n
// bytes is xored with the first n bytes of E(F).
ByteString OracleCipherText(const ByteString& keyword, const ByteString& plain) {
  const ByteString key = OracleRipeMD256(keyword);
  CryptoPP::Blowfish::Encryption blowfish(reinterpret_cast<const CryptoPP::byte*>(key.data()),
                                          key.size());
  auto encipher = [&blowfish](const Block& in) {
    Block out;
    blowfish.ProcessBlock(in.data(), out.data());
    return out;
  };
  Block chain;
  chain.fill(0xFF);
  chain = encipher(chain);

  ByteString cipher(plain.size(), '\0');
  std::size_t at = 0;
  for (; at + 8 <= plain.size(); at += 8) {
    Block mixed;
    for (std::size_t i = 0; i < 8; ++i)
      mixed[i] = static_cast<CryptoPP::byte>(plain[at + i]) ^ chain[i];
    const Block c = encipher(mixed);
    for (std::size_t i = 0; i < 8; ++i) {
      cipher[at + i] = static_cast<char>(c[i]);
      chain[i] ^= c[i];
    }
  }
  const Block keyStream = encipher(chain);
  for (std::size_t i = 0; at < plain.size(); ++at, ++i) {
    cipher[at] = static_cast<char>(static_cast<CryptoPP::byte>(plain[at]) ^ keyStream[i]);
  }
  return cipher;
}

// The window's set-up, the encrypter's profile: hash "Ripe Message Digest
// 256", cipher "Rijndael" (not registered, so Blowfish), mode cmCTS.
struct WindowManagers {
  THashManager hashManager;
  TCipherManager cipherManager;

  WindowManagers() { encrypter::SetUpProfile(hashManager, cipherManager); }
};

ByteString RandomBytes(std::mt19937& random, std::size_t length, unsigned lowest) {
  std::uniform_int_distribution<unsigned> byte(lowest, 255);
  ByteString bytes(length, '\0');
  for (char& c : bytes)
    c = static_cast<char>(byte(random));
  return bytes;
}

TEST(CipherOracle, RipeMD256DigestsEqualCryptoPP) {
  std::mt19937 random(20240611);
  ProtectionRef<THash> hash = THash_RipeMD256::Class().Create();
  for (std::size_t length = 0; length <= 300; ++length) {
    const ByteString message = RandomBytes(random, length, 0);
    hash->Init();
    hash->AddData(message.data(), static_cast<std::int32_t>(message.size()));
    hash->Finish();
    ASSERT_EQ(test::ToHex(hash->Digest()), test::ToHex(OracleRipeMD256(message)))
        << "length " << length;
  }
}

TEST(CipherOracle, WindowCipherTextsEqualTheIndependentComputation) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> keywordLength(3, 70);
  std::uniform_int_distribution<std::size_t> textLength(0, 5000);
  std::uniform_int_distribution<unsigned> coin(0, 1);
  for (int run = 0; run < 200; ++run) {
    // Half the keywords carry bytes 80..FF, as code page 1252 letters do.
    const ByteString keyword =
        RandomBytes(random, keywordLength(random), coin(random) ? 0x20 : 0x80);
    // Short texts are frequent in use and hit the tail rule hardest.
    const std::size_t length = run % 4 == 0 ? textLength(random) : textLength(random) % 41;
    const ByteString plain = RandomBytes(random, length, 0);
    SCOPED_TRACE("keyword " + test::ToHex(keyword) + ", text length " + std::to_string(length));

    const ByteString expectedBytes = OracleCipherText(keyword, plain);
    const ByteString expectedText = OracleBase64(expectedBytes);
    ASSERT_EQ(BytesToText(expectedBytes.data(), static_cast<std::int32_t>(expectedBytes.size()),
                          sfBase64),
              expectedText);

    WindowManagers window;
    const ByteString cipherText =
        encrypter::EncryptWithKeyword(window.cipherManager, keyword, plain);
    ASSERT_EQ(cipherText, expectedText);
    EXPECT_EQ(encrypter::DecryptWithKeyword(window.cipherManager, keyword, cipherText), plain);

    // A second manager keyed the same way reads the text back too.
    WindowManagers other;
    EXPECT_EQ(encrypter::DecryptWithKeyword(other.cipherManager, keyword, cipherText), plain);
  }
}

TEST(CipherOracle, TheWindowsFiveByteLineGivesEightCharacters) {
  const ByteString keyword = "Schl\xFCssel";  // "Schlüssel" in code page 1252
  const ByteString plain = "abc\r\n";
  WindowManagers window;
  const ByteString cipherText = encrypter::EncryptWithKeyword(window.cipherManager, keyword, plain);
  EXPECT_EQ(cipherText, OracleBase64(OracleCipherText(keyword, plain)));
  ASSERT_EQ(cipherText.size(), 8u);
  EXPECT_EQ(cipherText.back(), '=');
  EXPECT_EQ(encrypter::DecryptWithKeyword(window.cipherManager, keyword, cipherText), plain);
}

TEST(CipherOracle, BlowfishWithEveryKeyLengthEqualsCryptoPP) {
  // Crypto++ takes Blowfish keys of 4 to 56 bytes; InitKey passes 32.
  std::mt19937 random(99);
  for (std::size_t keyLength = 4; keyLength <= 56; ++keyLength) {
    const ByteString key = RandomBytes(random, keyLength, 0);
    const ByteString plain = RandomBytes(random, 64, 0);
    ProtectionRef<TCipher> cipher = TCipher_Blowfish::Class().Create();
    cipher->Mode = cmECB;
    cipher->Init(key.data(), static_cast<std::int32_t>(key.size()), nullptr);
    ByteString ours = plain;
    cipher->EncipherBuffer(ours.data(), ours.data(), static_cast<std::int32_t>(ours.size()));

    CryptoPP::Blowfish::Encryption blowfish(reinterpret_cast<const CryptoPP::byte*>(key.data()),
                                            key.size());
    ByteString theirs = plain;
    blowfish.AdvancedProcessBlocks(reinterpret_cast<const CryptoPP::byte*>(plain.data()), nullptr,
                                   reinterpret_cast<CryptoPP::byte*>(theirs.data()), plain.size(),
                                   0);
    EXPECT_EQ(test::ToHex(ours), test::ToHex(theirs)) << "key length " << keyLength;
  }
}

}  // namespace
}  // namespace velunor
