#pragma once

#include "protection/protection.h"
#include "runtime/byte_string.h"

namespace velunor {

// A keyed digest: chained behind a hash, a TMAC mixes the digest of its
// password into the hash's initial chaining values at Init, and passes the
// finished digest through its own chained protection at Finish.
class TMAC : public TProtection {
 public:
  ~TMAC() override;

  static const TClass& Class();
  const TClass& ClassType() const override { return Class(); }

  virtual void BeginKeyedDigest(THash& hash);
  virtual void EndKeyedDigest(THash& hash);

  void ChainedHashInitialized(THash& hash, std::span<std::uint8_t> digest) override;
  void ChainedHashFinished(THash& hash, std::span<std::uint8_t> digest) override;

  ByteString Password;

 protected:
  explicit TMAC(ByteString password = {}, TProtection* protection = nullptr)
      : TProtection(protection), Password(std::move(password)) {}
};

}  // namespace velunor
