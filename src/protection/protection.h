#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/byte_string.h"
#include "runtime/class_ref.h"
#include "runtime/streams.h"

namespace velunor {

// What a coding run does with its data; passed unchanged through every step.
enum TCodeAction : std::uint8_t {
  caEncode = 0,     // ciphers encipher; hashes use their output as a key stream
  caDecode = 1,     // the inverse of caEncode
  caOverwrite = 2,  // one-way coding from the normal start state
  caDigest = 3,     // data is only read; nothing is written back
  caShred = 4,      // like caOverwrite, from a random start state
};

// A set of actions, bit n standing for action n.
using TActionSet = std::uint8_t;
inline constexpr TActionSet kAllActions = 0x1F;

constexpr bool InActionSet(TActionSet set, TCodeAction action) {
  return action <= 7 && ((static_cast<unsigned>(set) >> action) & 1u) != 0;
}

// Progress of a coding run: sender, bytes done, bytes in all.
using TProgressEvent =
    std::function<void(TObject* sender, std::int32_t current, std::int32_t maximal)>;

// Process-wide progress callback of all coding runs; empty unless installed.
extern TProgressEvent ProgressHook;

void ReportProgress(TObject* sender, std::int32_t current, std::int32_t maximal);

// Size of the working buffer of stream and file runs.
inline constexpr std::int32_t kProcessBufferSize = 4096;

// The common base of every object that transforms bytes. A coding run is
// BeginCoding, CodeData on successive chunks, EndCoding. Objects are counted
// by references and may be chained: the chained object (`Protection`) is the
// inner layer that sees the same calls. Objects that take part in counting
// must be created with new; the last ReleaseProtection deletes them.
class TProtection : public TObject {
 public:
  explicit TProtection(TProtection* protection = nullptr);
  ~TProtection() override;

  static const TClass& Class();
  const TClass& ClassType() const override { return Class(); }

  TProtection* Protection() const { return protection_; }
  // Chains `value` behind this object; raises EProtection for a circular chain.
  void SetProtection(TProtection* value);

  TActionSet ActionSet = kAllActions;

  virtual void BeginCoding(TCodeAction action);
  virtual void EndCoding(TCodeAction action);
  // Codes `size` bytes at `data` in place.
  virtual void CodeData(void* data, std::int32_t size, TCodeAction action);

  // Codes dataSize bytes of source into dest (dest may be empty or source
  // itself); a negative dataSize means the whole source from its start.
  virtual void ProcessStream(TStream* source, TStream* dest, std::int64_t dataSize,
                             TCodeAction action);
  virtual void ProcessFile(const std::string& sourceName, const std::string& destName,
                           TCodeAction action);
  // Codes a string; encoded results are written in text format `format`,
  // decoded input is read from it.
  virtual ByteString ProcessText(const ByteString& text, TCodeAction action, std::int32_t format);
  virtual std::int32_t ProcessMemory(void* data, std::int32_t size, TCodeAction action);

  std::int32_t RefCount() const { return refCount_.load(); }

 private:
  friend std::int32_t AcquireProtection(TProtection* obj);
  friend std::int32_t ReleaseProtection(TProtection* obj);

  std::atomic<std::int32_t> refCount_{0};
  TProtection* protection_ = nullptr;
};

// Add or drop one counted reference; the object is deleted when its count
// drops to zero. Both return the new count (0 for no object).
std::int32_t AcquireProtection(TProtection* obj);
std::int32_t ReleaseProtection(TProtection* obj);

// A counted reference that acquires what it holds and releases it when it
// lets go.
template <class T>
class ProtectionRef {
 public:
  ProtectionRef() = default;
  explicit ProtectionRef(T* obj) { Reset(obj); }
  ProtectionRef(const ProtectionRef& other) { Reset(other.obj_); }
  ProtectionRef& operator=(const ProtectionRef& other) {
    Reset(other.obj_);
    return *this;
  }
  ~ProtectionRef() { Reset(nullptr); }

  void Reset(T* obj) {
    if (obj == obj_) return;
    T* old = obj_;
    obj_ = obj;
    AcquireProtection(obj_);
    ReleaseProtection(old);
  }
  T* Get() const { return obj_; }
  T* operator->() const { return obj_; }
  T& operator*() const { return *obj_; }
  explicit operator bool() const { return obj_ != nullptr; }

 private:
  T* obj_ = nullptr;
};

}  // namespace velunor
