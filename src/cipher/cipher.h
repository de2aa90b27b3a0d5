#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "cipher/mode_chain.h"
#include "hash/hash.h"
#include "protection/protection.h"
#include "runtime/byte_string.h"

namespace velunor {

class TCipher;

// Block size, largest key and size of the key schedule, in bytes.
struct TCipherInfo {
  std::int32_t BlockSize = 0;
  std::int32_t MaxKeySize = 0;
  std::int32_t KeyDataSize = 0;
};

// The class reference of a cipher class: name, parent, sizes, self-test
// bytes and a way to create an object of the class.
class TCipherClass : public TClass {
 public:
  using Factory = ProtectionRef<TCipher> (*)(TProtection* protection);

  TCipherClass(std::string_view name, const TClass* parent, TCipherInfo info,
               std::span<const std::uint8_t> knownAnswerData, Factory factory)
      : TClass(name, parent), info_(info), knownAnswer_(knownAnswerData), factory_(factory) {}

  TCipherInfo CipherInfo() const { return info_; }
  std::span<const std::uint8_t> KnownAnswerData() const { return knownAnswer_; }

  // A new object of the class, keyed from `keyword` when it is not empty;
  // empty for a class without objects of its own (TCipher).
  ProtectionRef<TCipher> Create(const ByteString& keyword = {},
                                TProtection* protection = nullptr) const;

 private:
  TCipherInfo info_;
  std::span<const std::uint8_t> knownAnswer_;
  Factory factory_;
};

template <class T>
ProtectionRef<TCipher> CreateCipherObject(TProtection* protection) {
  return MakeProtection<T>(protection);
}

// The base of every block cipher: the key set-up from raw bytes (Init) or
// from a keyword through a hash (InitKey), the chain state that the eight
// chaining modes (mode_*.h) run on, and the coding pipeline. A concrete
// cipher derives from TCipherFamily (cipher_family.h), which supplies its
// class reference, its sizes and its key schedule as a typed member; the
// cipher itself brings ScheduleKey and its single-block steps.
//
// Init is not virtual: every key set-up checks the key's length and wipes
// the old state, builds the schedule (ScheduleKey) and starts the chain, in
// this order.
class TCipher : public TProtection, protected TBlockSteps {
 public:
  // Bits of StateFlags.
  static constexpr std::uint32_t kKeyedFromKeyword = 0;
  static constexpr std::uint32_t kInitialized = 1;

  ~TCipher() override;

  static const TCipherClass& Class();
  const TCipherClass& ClassType() const override { return *class_; }

  // Builds the key schedule from keySize bytes at key and starts the chain;
  // iv is BlockSize bytes or none (then the IV is the encipherment of FF bytes).
  // A negative keySize counts as 0, a longer key than MaxKeySize is cut to
  // it (or refused while StrictKeyLength is set).
  void Init(const void* key, std::int32_t keySize, const void* iv);
  // The same with the key bytes and an initial vector of BlockSize bytes or
  // none (empty); a key longer than 2^31 - 1 bytes counts as that long.
  void Init(std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv = {});
  // Keys the cipher with the digest of the keyword through KeyHash.
  void InitKey(std::string_view keyword, const void* iv);

  // Codes source.size() bytes in Mode into dest, which holds as many (and
  // may be the same memory); a MAC mode only moves the chain.
  void EncipherBuffer(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest);
  void DecipherBuffer(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest);
  // The same over `count` bytes; nothing for a count of 0 or less.
  void EncipherBuffer(const void* source, void* dest, std::int32_t count);
  void DecipherBuffer(const void* source, void* dest, std::int32_t count);

  // One block of BlockSize bytes, in place.
  void EncipherBlock(std::uint8_t* block) override = 0;
  void DecipherBlock(std::uint8_t* block) override = 0;

  // Restarts the chain at the initial vector.
  virtual void ResetChain();

  void SetKeyHashClass(const THashClass* hashClass);
  const THashClass& KeyHashClass() const { return *keyHashClass_; }
  // The hash object that digests keywords, created on first use.
  THash& KeyHash();

  bool HasStateFlag(std::uint32_t index) const { return (StateFlags >> index) & 1u; }
  void SetStateFlag(std::uint32_t index, bool on);

  // The MAC modes leave the data as it is and only move the chain; which
  // bytes their value covers: cmCTSMAC and cmCBCMAC chain the whole blocks
  // of each call (in the pipeline, of each 4096-byte piece) and take the
  // bytes after them only by their being there, never by their value;
  // cmCFBMAC takes every byte, the last one linearly (a change of it changes
  // the value by the same bits). None of them is a secure MAC.
  TCipherMode Mode = cmCTS;
  // While false a key longer than the class allows is cut to its maximum;
  // while true it is an error. Off in a new object.
  bool StrictKeyLength = false;
  const std::int32_t MaxKeySize;
  const std::int32_t BlockSize;
  const std::int32_t KeyDataSize;

  // The running chain value and the initial vector, BlockSize bytes each.
  const std::uint8_t* ChainBlock() const { return chainBlock_.get(); }
  const std::uint8_t* InitVector() const { return initVector_.get(); }
  // After ResetChain the last chain value, that is the MAC value of a MAC mode.
  const std::uint8_t* ScratchBlock() const { return scratchBlock_.get(); }

 protected:
  TCipher(const TCipherClass& cls, TProtection* protection);

  // Builds the key schedule from the key bytes (at most MaxKeySize, possibly
  // none) into a wiped schedule.
  virtual void ScheduleKey(std::span<const std::uint8_t> key) = 0;
  // Run once the chain has started at the end of Init.
  virtual void ChainStarted() {}

  void BeginRun(TCodeAction action) override;
  void CodeRun(std::span<std::uint8_t> data, TCodeAction action) override;
  void EndRun(TCodeAction action) override;

  // Clears the flags and overwrites all buffers and the key schedule: AA,
  // then 55, then final values.
  void WipeState();
  // Overwrites the key schedule with AA, then 55, then zero bytes.
  virtual void WipeKeySchedule() = 0;
  // The three-pass overwrite of key material, ending in zero bytes.
  static void WipeKeyMaterial(void* data, std::size_t size);

  // Runs of blocks, block by block here; ciphers may override these to work
  // on independent blocks at once or to keep the chain in registers
  // (see TBlockSteps).
  void EncipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void DecipherBlocks(std::uint8_t* blocks, std::size_t count) override;
  void EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest, std::size_t count,
                             TChainFeedback feedback) override;

  std::uint8_t* MutableInitVector() { return initVector_.get(); }
  std::uint8_t* MutableChainBlock() { return chainBlock_.get(); }

  std::uint32_t StateFlags = 0;

 private:
  // Wipes the state and fits keySize into 0..MaxKeySize (or raises when
  // StrictKeyLength is set); every Init starts with it.
  void CheckKeyLength(std::int32_t& keySize);
  // Loads the initial vector (or enciphers the wiped one) and starts the chain.
  void StartChain(const void* iv);
  void RaiseNotInitialized() const;
  // WipeState without the key schedule, which the concrete cipher's own
  // destructor wipes and which does not exist yet while the base is built.
  void WipeChainState();
  // Codes source into dest in Mode; raises unless the cipher is keyed and
  // dest can hold source.
  void CodeBuffer(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest,
                  bool encipher);
  // The chain state the modes run on.
  TModeChain Chain();
  void ChainTreatment(TCodeAction action);

  const TCipherClass* class_;
  const THashClass* keyHashClass_;
  ProtectionRef<THash> keyHash_;
  std::unique_ptr<std::uint8_t[]> scratchBlock_;
  std::unique_ptr<std::uint8_t[]> initVector_;
  std::unique_ptr<std::uint8_t[]> chainBlock_;
};

}  // namespace velunor
