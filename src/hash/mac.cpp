#include "hash/mac.h"

#include "hash/hash.h"
#include "protection/string_format.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// Overwrites a secret with AA, 55 and finally 00 bytes.
void WipeSecret(ByteString& secret) {
  SecureFill(secret.data(), 0xAA, secret.size());
  SecureFill(secret.data(), 0x55, secret.size());
  SecureFill(secret.data(), 0x00, secret.size());
}

}  // namespace

TMAC::~TMAC() {
  WipeSecret(Password);
}

const TClass& TMAC::Class() {
  static const TClass cls("TMAC", &TProtection::Class());
  return cls;
}

void TMAC::BeginKeyedDigest(THash& hash) {
  if (Password.empty()) return;
  ByteString key = hash.ClassType().DigestAsText(Password, Protection(), sfCopy);
  XorBytes(hash.DigestBuffer(), key.data(), static_cast<std::int32_t>(key.size()),
           hash.DigestBuffer());
  WipeSecret(key);
}

void TMAC::EndKeyedDigest(THash& hash) {
  if (Protection() != nullptr)
    Protection()->ProcessMemory(hash.DigestBuffer(), hash.DigestSize(), caOverwrite);
}

}  // namespace velunor
