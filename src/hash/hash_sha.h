#pragma once

#include <cstdint>

#include "hash/hash_family.h"
#include "hash/mdx_hash.h"

namespace velunor {

// SHA-0, the first Secure Hash Standard: 80 steps over the first five
// chaining words. It shares digest size, initial values and buffering with
// RIPEMD-160, under which it sits in the class tree, but reads its message
// words and writes its length most significant byte first. After Finish the
// five digest words are byte-reversed in place, so DigestBuffer holds the
// digest in its published byte order.
class THash_SHA : public THashFamily<THash_SHA, TMDxHash, THashInfo{20, 64}> {
 public:
  static constexpr char kClassName[] = "THash_SHA";
  static constexpr std::uint8_t kKnownAnswer[20] = {0xDC, 0x1F, 0x7D, 0x7C, 0x96, 0xDD, 0xC7,
                                                    0xFC, 0x4D, 0x0A, 0xF2, 0xCC, 0x12, 0xE7,
                                                    0xF7, 0x66, 0x5B, 0xB1, 0x85, 0xAC};

 protected:
  using THashFamily::THashFamily;
  void CompleteDigest() override;
  // The two standards differ only in the message expansion: SHA-1 rotates
  // each expanded word left by one bit, SHA-0 does not.
  enum class ShaVariant : std::uint8_t { kSha0 = 0, kSha1 = 1 };

  void CompressBlock(const std::uint8_t* block) override;
  void CompressBlocks(const std::uint8_t* blocks, std::size_t count) override;

  ShaVariant Variant = ShaVariant::kSha0;
};

// The portable compression of one block into five chaining words (SHA-1 when
// `sha1`, else SHA-0); SHA-1 uses the processor's SHA extensions instead where
// it has them.
void CompressShaPortable(std::uint32_t* state, const std::uint8_t* block, bool sha1);

}  // namespace velunor
