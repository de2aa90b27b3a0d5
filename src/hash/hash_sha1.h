#pragma once

#include "hash/hash_sha.h"

namespace velunor {

// SHA-1: SHA-0 with the one-bit rotation in the message expansion.
class THash_SHA1 : public THashFamily<THash_SHA1, THash_SHA, THashInfo{20, 64}> {
 public:
  static constexpr char kClassName[] = "THash_SHA1";
  static constexpr std::uint8_t kKnownAnswer[20] = {0x9A, 0x01, 0x2E, 0x63, 0x96, 0x2A, 0x92,
                                                    0xEB, 0xD8, 0x2E, 0xF0, 0xBC, 0x1C, 0xA4,
                                                    0x51, 0x6A, 0x08, 0x69, 0x2E, 0x68};

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
};

}  // namespace velunor
