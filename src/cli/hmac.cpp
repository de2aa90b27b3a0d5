#include "cli/hmac.h"

#include <algorithm>

namespace velunor::cli {

namespace {

constexpr std::uint8_t kInnerPad = 0x36;
constexpr std::uint8_t kOuterPad = 0x5C;

// The key padded with zero bytes to `blockSize` bytes, or the padded digest
// of a longer key, each byte XORed with `pad`.
TWipedBytes PaddedKey(const THashClass& hash, const TWipedBytes& key, std::size_t blockSize,
                      std::uint8_t pad) {
  TWipedBytes padded(blockSize, 0);
  if (key.size() > blockSize) {
    const ProtectionRef<THash> digest = hash.Create();
    digest->Init();
    digest->AddData(key);
    digest->Finish();
    std::copy_n(digest->DigestBuffer(), digest->DigestSize(), padded.begin());
    digest->Init();  // no copy of the digest of a key stays behind
  } else {
    std::copy(key.begin(), key.end(), padded.begin());
  }
  for (std::uint8_t& byte : padded)
    byte ^= pad;
  return padded;
}

}  // namespace

std::size_t HmacBlockSize(const THashClass& hash) {
  return static_cast<std::size_t>(hash.BlockSize());
}

HmacSink::HmacSink(const THashClass& hash, const TWipedBytes& key)
    : inner_(hash.Create()),
      outer_(hash.Create()),
      outerPad_(PaddedKey(hash, key, HmacBlockSize(hash), kOuterPad)) {
  const TWipedBytes innerPad = PaddedKey(hash, key, HmacBlockSize(hash), kInnerPad);
  inner_->Init();
  inner_->AddData(innerPad);
}

void HmacSink::Write(const std::uint8_t* data, std::size_t size) {
  inner_->AddData({data, size});
}

void HmacSink::Finish() {
  inner_->Finish();
  outer_->Init();
  outer_->AddData(outerPad_);
  outer_->AddData(inner_->DigestBytes());
  outer_->Finish();
}

}  // namespace velunor::cli
