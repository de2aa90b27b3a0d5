#include "hash/hash_sha1.h"

namespace velunor {

namespace {

constexpr std::uint8_t kKnownAnswer[20] = {0x9A, 0x01, 0x2E, 0x63, 0x96, 0x2A, 0x92,
                                           0xEB, 0xD8, 0x2E, 0xF0, 0xBC, 0x1C, 0xA4,
                                           0x51, 0x6A, 0x08, 0x69, 0x2E, 0x68};

}  // namespace

const THashClass& THash_SHA1::Class() {
  static const THashClass cls("THash_SHA1", &THash_SHA::Class(), 20, kKnownAnswer,
                              CreateHashObject<THash_SHA1>);
  return cls;
}

void THash_SHA1::Init() {
  Variant = ShaVariant::kSha1;
  THash_SHA::Init();
}

}  // namespace velunor
