#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "protection/protection.h"
#include "runtime/byte_string.h"

namespace velunor {

class THash;

// The 32 self-test bytes shared by the hashes and ciphers.
extern const std::uint8_t SelfTestInput[32];

// The sizes of a hash class, in bytes: its digest and the block its
// compression takes (0 for a hash without blocks, such as the checksums).
struct THashInfo {
  std::int32_t DigestSize = 0;
  std::int32_t BlockSize = 0;
};

// The class reference of a hash class: its name, parent, sizes and
// known-answer data, and a way to create an object of the class.
class THashClass : public TClass {
 public:
  using Factory = ProtectionRef<THash> (*)(TProtection* protection);

  THashClass(std::string_view name, const TClass* parent, THashInfo info,
             const std::uint8_t* knownAnswerData, Factory factory)
      : TClass(name, parent), info_(info), knownAnswer_(knownAnswerData), factory_(factory) {}

  // The digest length in bytes.
  std::int32_t DigestSize() const { return info_.DigestSize; }
  // The length of the blocks the compression takes (HMAC pads its key to
  // it); 0 for the hashes without blocks.
  std::int32_t BlockSize() const { return info_.BlockSize; }
  // The class's digest of SelfTestInput, DigestSize bytes.
  std::span<const std::uint8_t> KnownAnswerData() const {
    return {knownAnswer_, static_cast<std::size_t>(info_.DigestSize)};
  }
  // A new object of the class with `protection` chained.
  ProtectionRef<THash> Create(TProtection* protection = nullptr) const {
    return factory_(protection);
  }

  // The digest of `data` as text in `format`, through a temporary object
  // chained to `protection`.
  [[nodiscard]] ByteString DigestAsText(std::string_view data, TProtection* protection,
                                        std::int32_t format) const;

 private:
  THashInfo info_;
  const std::uint8_t* knownAnswer_;
  Factory factory_;
};

template <class T>
ProtectionRef<THash> CreateHashObject(TProtection* protection) {
  return MakeProtection<T>(protection);
}

// The base of every message digest and checksum. Calling order for one
// digest: Init, any number of AddData, Finish, then DigestSize bytes at
// DigestBuffer. In the coding pipeline a hash digests (caDigest), replaces
// data by digests (caOverwrite, caShred) or uses its running digest as a key
// stream (caEncode, caDecode). THash itself is a null digest of size 0.
//
// Init, AddData and Finish are not virtual: they run the steps every hash
// shares (the hand-over of the digest to the chained object at the end of
// Init and Finish) around the three a hash brings itself: StartDigest,
// Absorb and CompleteDigest. A hash class derives from THashFamily
// (hash_family.h), which supplies its class reference.
class THash : public TProtection {
 public:
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  std::int32_t DigestSize() const { return ClassType().DigestSize(); }

  void Init();
  void AddData(std::span<const std::uint8_t> data);
  // The same for `length` bytes at `buffer`; nothing for a length of 0 or less.
  void AddData(const void* buffer, std::int32_t length);
  void Finish();
  // The DigestSize digest bytes, owned by the object; none for a null digest.
  virtual std::uint8_t* DigestBuffer() { return nullptr; }

  std::span<std::uint8_t> DigestBytes() {
    return {DigestBuffer(), static_cast<std::size_t>(DigestSize())};
  }
  // The digest bytes as a byte string.
  ByteString Digest() {
    return MakeByteString(DigestBuffer(), static_cast<std::size_t>(DigestSize()));
  }

 protected:
  explicit THash(TProtection* protection) : TProtection(protection) {}

  // Loads the start state of a digest.
  virtual void StartDigest() {}
  // Takes `data`, which is not empty, into the digest.
  virtual void Absorb(std::span<const std::uint8_t>) {}
  // Completes the digest in DigestBuffer.
  virtual void CompleteDigest() {}

  void BeginRun(TCodeAction action) override;
  void CodeRun(std::span<std::uint8_t> data, TCodeAction action) override;
  void EndRun(TCodeAction action) override;

 private:
  enum class ChainHookPoint { kInit, kFinish };
  // Runs at the end of every Init and Finish: hands the digest to the
  // chained protection object, if any.
  void RunChainHook(ChainHookPoint point);
};

// The abstract parent of the checksum classes.
class TChecksum : public THash {
 public:
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

 protected:
  using THash::THash;
};

}  // namespace velunor
