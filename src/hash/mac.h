#pragma once

#include "protection/protection.h"
#include "runtime/byte_string.h"

namespace velunor {

class THash;

// A keyed digest: chained behind a hash, a TMAC mixes the digest of its
// password into the hash's initial chaining values at Init, and passes the
// finished digest through its own chained protection at Finish.
class TMAC : public TProtection {
 public:
  ~TMAC() override;

  static const TClass& Class();
  const TClass& ClassType() const override { return Class(); }

  // Run by the hash that has this object chained, at the end of its Init
  // and of its Finish.
  virtual void BeginKeyedDigest(THash& hash);
  virtual void EndKeyedDigest(THash& hash);

  ByteString Password;

 protected:
  explicit TMAC(ByteString password = {}, TProtection* protection = nullptr)
      : TProtection(protection), Password(std::move(password)) {}
};

}  // namespace velunor
