#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

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

// The size of the pieces a coding run over a stream passes to CodeData
// (CodingSink): every piece but the last of a run holds this many bytes.
inline constexpr std::int32_t kProcessBufferSize = 4096;

class ByteSink;

// The common base of every object that transforms bytes. A coding run is
// BeginCoding, CodeData on successive chunks, EndCoding. Objects are counted
// by references and may be chained: the chained object (`Protection`) is the
// inner layer that sees the same calls. The last counted reference to let go
// deletes an object, so objects live only behind counted references: the
// constructors are protected, and MakeProtection (or a class reference's
// Create) is the way to make one.
//
// The three steps are not virtual: they pass each call on to the chained
// object and run this object's own part (BeginRun, CodeRun, EndRun) at its
// fixed place, so that a subclass writes only what it does itself.
class TProtection : public TObject {
 public:
  ~TProtection() override;

  static const TClass& Class();
  const TClass& ClassType() const override { return Class(); }

  TProtection* Protection() const { return protection_; }
  // Chains `value` behind this object; raises EProtection for a circular chain.
  void SetProtection(TProtection* value);

  TActionSet ActionSet = kAllActions;

  // Told how far this object's stream and file runs have come; empty unless set.
  TProgressEvent OnProgress;

  // This object's BeginRun, then the chained object's BeginCoding.
  void BeginCoding(TCodeAction action);
  // The chained object's EndCoding, then this object's EndRun.
  void EndCoding(TCodeAction action);
  // Codes the bytes of `data` in place: the chained object first and then
  // this object's CodeRun, except for caDecode, which undoes this object's
  // coding first. CodeRun runs only for the actions in ActionSet.
  void CodeData(std::span<std::uint8_t> data, TCodeAction action);
  // The same for `size` bytes at `data`; nothing is coded for no data or a
  // size of 0 or less.
  void CodeData(void* data, std::int32_t size, TCodeAction action);

  // Codes dataSize bytes of source into dest (dest may be empty or source
  // itself); a negative dataSize means the whole source from its start.
  // The bytes go through the run in the pieces of CodingSink, as in
  // ProcessText and the command line.
  void ProcessStream(TStream* source, TStream* dest, std::int64_t dataSize, TCodeAction action);
  // Codes the file sourceName into destName, or into itself when destName
  // is blank or names the same file. The destination holds its old content
  // or the complete new one (TFileReplacement), never a part of it.
  void ProcessFile(const std::string& sourceName, const std::string& destName, TCodeAction action);
  // Codes a string; encoded results are written in text format `format`,
  // decoded input is read from it.
  ByteString ProcessText(const ByteString& text, TCodeAction action, std::int32_t format);
  // A whole run over the bytes of `data`, coded in place.
  void ProcessMemory(std::span<std::uint8_t> data, TCodeAction action);
  // The same over `size` bytes at `data`; returns `size`.
  std::int32_t ProcessMemory(void* data, std::int32_t size, TCodeAction action);

  std::int32_t RefCount() const { return refCount_.load(); }

 protected:
  explicit TProtection(TProtection* protection);

  // This object's own part of the three steps; nothing here.
  virtual void BeginRun(TCodeAction) {}
  virtual void CodeRun(std::span<std::uint8_t>, TCodeAction) {}
  virtual void EndRun(TCodeAction) {}

 private:
  friend std::int32_t AcquireProtection(TProtection* obj);
  friend std::int32_t ReleaseProtection(TProtection* obj);

  void ReportProgress(std::int32_t current, std::int32_t maximal);
  // One run over `size` bytes of `source` from its position into `out`,
  // with progress reports. `inPlace`: `out` writes to `source` too, so the
  // source is read at its own position before every piece.
  void RunOverStream(TStream& source, std::int64_t size, TCodeAction action, ByteSink& out,
                     bool inPlace);

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
  ProtectionRef(std::nullptr_t) {}  // NOLINT: an empty reference, as from a null pointer
  explicit ProtectionRef(T* obj) { Reset(obj); }
  ProtectionRef(const ProtectionRef& other) { Reset(other.obj_); }
  ProtectionRef(ProtectionRef&& other) noexcept : obj_(std::exchange(other.obj_, nullptr)) {}
  // A reference to a derived class is a reference to its base.
  template <class U>
  requires(!std::is_same_v<U, T> && std::is_convertible_v<U*, T*>)
      ProtectionRef(ProtectionRef<U> other)
  noexcept  // NOLINT: converts as the pointers do
      : obj_(other.Detach()) {}
  ProtectionRef& operator=(ProtectionRef other) noexcept {
    std::swap(obj_, other.obj_);
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
  template <class U>
  friend class ProtectionRef;

  // Lets go of the object without releasing it; the count goes with it.
  T* Detach() noexcept { return std::exchange(obj_, nullptr); }

  T* obj_ = nullptr;
};

// A new object of class T, made with `args` and held by the counted
// reference returned. The constructors of counted classes are protected; a
// class derived from T on the spot is what may call them.
template <class T, class... Args>
ProtectionRef<T> MakeProtection(Args&&... args) {
  struct Counted final : T {
    explicit Counted(Args&&... a) : T(std::forward<Args>(a)...) {}
  };
  return ProtectionRef<T>(new Counted(std::forward<Args>(args)...));
}

}  // namespace velunor
