#include "hash/hash_sha1.h"

namespace velunor {

void THash_SHA1::StartDigest() {
  Variant = ShaVariant::kSha1;
  TMDxHash::StartDigest();
}

}  // namespace velunor
