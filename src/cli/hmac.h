#pragma once

#include <cstddef>
#include <cstdint>

#include "hash/hash.h"
#include "protection/byte_sink.h"
#include "runtime/byte_string.h"
#include "runtime/wiped_bytes.h"

namespace velunor::cli {

// The input block size in bytes that HMAC pads its key to for a registered
// hash: 64 for MD4, MD5, SHA, SHA-1, the RIPEMD family and Tiger, 128 for
// HAVAL, 32 for Snefru, 16 for the Square hash. 0 for the hashes that have
// no input block of at least their digest's size (Sapphire II takes its
// input byte by byte) and for the checksums: HMAC is not defined over them.
std::size_t HmacBlockSize(const THashClass& hash);

// HMAC (RFC 2104) of a byte stream under a key, over a registered hash H
// with input block size B:
//   H((K' xor opad) || H((K' xor ipad) || data)),
// where K' is the key, or H(key) for a key longer than B, padded with zero
// bytes to B bytes; ipad is B bytes of 36 hex, opad B bytes of 5C hex. The
// data is taken in pieces of any size; Finish computes the value.
class HmacSink final : public ByteSink {
 public:
  // The hash must have an input block (HmacBlockSize > 0).
  HmacSink(const THashClass& hash, const TWipedBytes& key);

  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

  // The value, DigestSize bytes of the hash, once Finish has run.
  ByteString Value() { return outer_->Digest(); }

 private:
  ProtectionRef<THash> inner_;
  ProtectionRef<THash> outer_;
  // K' xor opad, kept for Finish.
  TWipedBytes outerPad_;
};

}  // namespace velunor::cli
