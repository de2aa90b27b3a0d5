#pragma once

#include "hash/hash_sha.h"

namespace velunor {

// SHA-1: SHA-0 with the one-bit rotation in the message expansion.
class THash_SHA1 : public THash_SHA {
 public:
  using THash_SHA::THash_SHA;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
};

}  // namespace velunor
