#pragma once

#include "cipher/cipher.h"
#include "runtime/byte_string.h"

namespace velunor {

// The self-test of a cipher class: an object of the class is keyed through
// Init with the first min(32, MaxKeySize) bytes of SelfTestInput and no
// initial vector, and the 32 bytes of SelfTestInput are enciphered in cmCTS.
// A class's KnownAnswerData holds what this gives.
ByteString CipherSelfTestOutput(const TCipherClass& cls);

// Whether the class reproduces its KnownAnswerData and deciphers it back to
// SelfTestInput.
bool CipherSelfTest(const TCipherClass& cls);

}  // namespace velunor
