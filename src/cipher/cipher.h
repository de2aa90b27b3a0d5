#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "hash/hash.h"
#include "protection/protection.h"
#include "runtime/byte_string.h"

namespace velunor {

class TCipher;

// Chaining modes of EncipherBuffer and DecipherBuffer.
enum TCipherMode : std::uint8_t {
  cmCTS = 0,     // whole blocks chained with a double feedback; the program's mode
  cmCBC = 1,     // cipher block chaining
  cmCFB = 2,     // 8-bit cipher feedback
  cmOFB = 3,     // 8-bit output feedback
  cmECB = 4,     // electronic code book
  cmCTSMAC = 5,  // authentication value computed the cmCTS way
  cmCBCMAC = 6,  // authentication value computed the cmCBC way
  cmCFBMAC = 7,  // authentication value computed the cmCFB way
};

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
  using Factory = TCipher* (*)(TProtection* protection);

  TCipherClass(std::string_view name, const TClass* parent, TCipherInfo info,
               std::span<const std::uint8_t> knownAnswerData, Factory factory)
      : TClass(name, parent), info_(info), knownAnswer_(knownAnswerData), factory_(factory) {}

  TCipherInfo CipherInfo() const { return info_; }
  std::span<const std::uint8_t> KnownAnswerData() const { return knownAnswer_; }

  // A new object of the class, keyed from `keyword` when it is not empty;
  // nobody holds a counted reference to it yet.
  TCipher* Create(const ByteString& keyword = {}, TProtection* protection = nullptr) const;

 private:
  TCipherInfo info_;
  std::span<const std::uint8_t> knownAnswer_;
  Factory factory_;
};

template <class T>
TCipher* CreateCipherObject(TProtection* protection) {
  return new T(protection);
}

// While false a key longer than the class allows is cut to its maximum;
// while true it is an error.
extern bool StrictKeyLength;

// The base of every block cipher: the key set-up from raw bytes (Init) or
// from a keyword through a hash (InitKey), the eight chaining modes, and the
// coding pipeline. A concrete cipher supplies its sizes, its key schedule
// (its own typed member, see scheduled_cipher.h) and its single-block steps.
class TCipher : public TProtection {
 public:
  // Bits of StateFlags.
  static constexpr std::uint32_t kKeyedFromKeyword = 0;
  static constexpr std::uint32_t kInitialized = 1;

  ~TCipher() override;

  static const TCipherClass& Class();
  const TCipherClass& ClassType() const override { return *class_; }

  // Builds the key schedule from keySize bytes at key and starts the chain;
  // iv is BlockSize bytes or none (then the IV is the encipherment of FF bytes).
  virtual void Init(const void* key, std::int32_t keySize, const void* iv) = 0;
  // Keys the cipher with the digest of the keyword through KeyHash.
  void InitKey(std::string_view keyword, const void* iv);

  void EncipherBuffer(const void* source, void* dest, std::int32_t count);
  void DecipherBuffer(const void* source, void* dest, std::int32_t count);

  // One block of BlockSize bytes, in place.
  virtual void EncipherBlock(std::uint8_t* block) = 0;
  virtual void DecipherBlock(std::uint8_t* block) = 0;

  // Restarts the chain at the initial vector.
  virtual void ResetChain();

  void SetKeyHashClass(const THashClass* hashClass);
  const THashClass& KeyHashClass() const { return *keyHashClass_; }
  // The hash object that digests keywords, created on first use.
  THash& KeyHash();

  bool HasStateFlag(std::uint32_t index) const { return (StateFlags >> index) & 1u; }
  void SetStateFlag(std::uint32_t index, bool on);

  void BeginCoding(TCodeAction action) override;
  void EndCoding(TCodeAction action) override;
  void CodeData(void* data, std::int32_t size, TCodeAction action) override;

  TCipherMode Mode = cmCTS;
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

  // Wipes the state and fits keySize into 0..MaxKeySize (or raises when
  // StrictKeyLength is set); every Init starts with it.
  void CheckKeyLength(std::int32_t& keySize);
  // Loads the initial vector (or enciphers the wiped one) and starts the chain.
  void StartChain(const void* iv);
  // Clears the flags and overwrites all buffers and the key schedule: AA,
  // then 55, then final values.
  void WipeState();
  // Overwrites the key schedule with AA, then 55, then zero bytes.
  virtual void WipeKeySchedule() = 0;
  // The three-pass overwrite of key material, ending in zero bytes.
  static void WipeKeyMaterial(void* data, std::size_t size);

  // Several consecutive blocks in place; ciphers may override these to work
  // on independent blocks at once.
  virtual void EncipherBlocks(std::uint8_t* blocks, std::size_t count);
  virtual void DecipherBlocks(std::uint8_t* blocks, std::size_t count);
  // Enciphers `count` whole blocks from `source` to `dest` (which may be the
  // same) chained through the chain value F, as cmCTS (F = C xor F) or cmCBC
  // (F = C) do. Block by block here; a cipher may keep the chain in registers.
  virtual void EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest,
                                     std::size_t count, TCipherMode mode);

  std::uint8_t* MutableInitVector() { return initVector_.get(); }
  std::uint8_t* MutableChainBlock() { return chainBlock_.get(); }

  std::uint32_t StateFlags = 0;

 private:
  void RaiseNotInitialized() const;
  // WipeState without the key schedule, which the concrete cipher's own
  // destructor wipes and which does not exist yet while the base is built.
  void WipeChainState();
  void ChainTreatment(TCodeAction action);
  // E(F) into the scratch block.
  void EncipherChainIntoScratch();
  void EncipherTail(const std::uint8_t* source, std::uint8_t* dest, std::int32_t count);
  void ShiftChainIn(std::uint8_t value);

  void EncipherChained(const std::uint8_t* s, std::uint8_t* t, std::int32_t n, TCipherMode mode);
  void EncipherCFB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n);
  void CodeOFB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n);
  void CodeECB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n, bool encipher);
  void ChainMAC(const std::uint8_t* s, std::int32_t n, TCipherMode mode);
  void DecipherChained(std::uint8_t* t, std::int32_t n, TCipherMode mode);
  void DecipherCFB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n);

  const TCipherClass* class_;
  const THashClass* keyHashClass_;
  ProtectionRef<THash> keyHash_;
  std::unique_ptr<std::uint8_t[]> scratchBlock_;
  std::unique_ptr<std::uint8_t[]> initVector_;
  std::unique_ptr<std::uint8_t[]> chainBlock_;
};

}  // namespace velunor
