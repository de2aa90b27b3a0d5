#pragma once

#include "cipher/cipher.h"
#include "managers/cipher_manager.h"
#include "managers/hash_manager.h"

namespace velunor::encrypter {

// The encrypter's coding, the same in the window and in `velunor encrypt
// --text`: the RIPEMD-256 digest of the keyword keys the cipher that the
// window asks for by the name "Rijndael". No cipher of that name is
// registered, so the cipher manager works with its fallback, Blowfish. The
// text is chained in cmCTS and written in the default text format, base 64.
// Every part of it shapes the cipher texts that users keep.
inline constexpr const char* kHashAlgorithm = "Ripe Message Digest 256";
inline constexpr const char* kCipherAlgorithm = "Rijndael";
inline constexpr TCipherMode kCipherMode = cmCTS;

// The same as the window's stored description names them: the classes of
// the hash and of the (unregistered) cipher.
inline constexpr const char* kStoredHashClass = "THash_RipeMD256";
inline constexpr const char* kStoredCipherClass = "TCipher_Rijndael";

// Chooses the hash and the cipher by their names, as the window does once
// its managers have come from its stored description.
void SelectProfileAlgorithms(THashManager& hashManager, TCipherManager& cipherManager);

// Sets up two managers that no stored description has set up as the
// window's: the cipher manager with the hash manager, in cmCTS, and both
// algorithms chosen.
void SetUpProfile(THashManager& hashManager, TCipherManager& cipherManager);

}  // namespace velunor::encrypter
