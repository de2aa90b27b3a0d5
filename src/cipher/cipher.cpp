#include "cipher/cipher.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "cipher/cipher_errors.h"
#include "cipher/mode_block_chaining.h"
#include "cipher/mode_dispatch.h"
#include "hash/hash_registry.h"
#include "runtime/exceptions.h"
#include "runtime/support.h"

namespace velunor {

namespace {

std::unique_ptr<std::uint8_t[]> AllocateBuffer(std::int32_t size) {
  return std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(std::max(size, 1)));
}

}  // namespace

ProtectionRef<TCipher> TCipherClass::Create(const ByteString& keyword,
                                            TProtection* protection) const {
  if (factory_ == nullptr) return nullptr;
  ProtectionRef<TCipher> cipher = factory_(protection);
  if (!keyword.empty()) cipher->InitKey(keyword, nullptr);
  return cipher;
}

const TCipherClass& TCipher::Class() {
  static const TCipherClass cls("TCipher", &TProtection::Class(), TCipherInfo{}, SelfTestInput,
                                nullptr);
  return cls;
}

TCipher::TCipher(const TCipherClass& cls, TProtection* protection)
    : TProtection(protection),
      MaxKeySize(cls.CipherInfo().MaxKeySize),
      BlockSize(cls.CipherInfo().BlockSize),
      KeyDataSize(cls.CipherInfo().KeyDataSize),
      class_(&cls),
      keyHashClass_(&DefaultHashClass()),
      scratchBlock_(AllocateBuffer(BlockSize)),
      initVector_(AllocateBuffer(BlockSize)),
      chainBlock_(AllocateBuffer(BlockSize)) {
  if (BlockSize <= 0 || static_cast<std::size_t>(BlockSize) > kDecipherBatchBytes) {
    throw Exception("unsupported block size of " + std::string(cls.ClassName()));
  }
  WipeChainState();
}

TCipher::~TCipher() {
  WipeChainState();
  keyHash_.Reset(nullptr);
}

void TCipher::SetStateFlag(std::uint32_t index, bool on) {
  if (on) {
    StateFlags |= 1u << index;
  } else {
    StateFlags &= ~(1u << index);
  }
}

void TCipher::WipeState() {
  WipeChainState();
  WipeKeySchedule();
}

void TCipher::WipeChainState() {
  SetStateFlag(kKeyedFromKeyword, false);
  SetStateFlag(kInitialized, false);
  const auto block = static_cast<std::size_t>(BlockSize);
  for (const std::uint8_t pattern : {std::uint8_t{0xAA}, std::uint8_t{0x55}}) {
    SecureFill(initVector_.get(), pattern, block);
    SecureFill(chainBlock_.get(), pattern, block);
    SecureFill(scratchBlock_.get(), pattern, block);
  }
  SecureFill(initVector_.get(), 0xFF, block);
  SecureFill(chainBlock_.get(), 0xFF, block);
  SecureFill(scratchBlock_.get(), 0x00, block);
}

void TCipher::WipeKeyMaterial(void* data, std::size_t size) {
  for (const std::uint8_t pattern : {std::uint8_t{0xAA}, std::uint8_t{0x55}, std::uint8_t{0x00}})
    SecureFill(data, pattern, size);
}

void TCipher::CheckKeyLength(std::int32_t& keySize) {
  SetStateFlag(kInitialized, false);
  WipeState();
  if (keySize < 0) keySize = 0;
  if (keySize > MaxKeySize) {
    if (StrictKeyLength) {
      RaiseCipherException(
          kFaultKeyLength,
          FormatMessage(kInvalidKeyLength, {ClassType().ClassName(), 0, MaxKeySize}));
    }
    keySize = MaxKeySize;
  }
}

void TCipher::StartChain(const void* iv) {
  if (iv != nullptr) {
    std::memcpy(initVector_.get(), iv, static_cast<std::size_t>(BlockSize));
  } else {
    EncipherBlock(initVector_.get());
  }
  std::memcpy(chainBlock_.get(), initVector_.get(), static_cast<std::size_t>(BlockSize));
  SetStateFlag(kInitialized, true);
}

void TCipher::ResetChain() {
  const auto block = static_cast<std::size_t>(BlockSize);
  if (std::memcmp(initVector_.get(), chainBlock_.get(), block) != 0) {
    std::memcpy(scratchBlock_.get(), chainBlock_.get(), block);
    std::memcpy(chainBlock_.get(), initVector_.get(), block);
  }
}

void TCipher::SetKeyHashClass(const THashClass* hashClass) {
  if (hashClass == keyHashClass_) return;
  keyHash_.Reset(nullptr);
  keyHashClass_ = hashClass != nullptr ? hashClass : &DefaultHashClass();
}

THash& TCipher::KeyHash() {
  if (!keyHash_) keyHash_ = keyHashClass_->Create(nullptr);
  return *keyHash_;
}

void TCipher::Init(const void* key, std::int32_t keySize, const void* iv) {
  CheckKeyLength(keySize);
  const auto size = static_cast<std::size_t>(keySize);
  ScheduleKey(size == 0 ? std::span<const std::uint8_t>()
                        : std::span(static_cast<const std::uint8_t*>(key), size));
  StartChain(iv);
  ChainStarted();
}

void TCipher::Init(std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv) {
  if (!iv.empty() && iv.size() != static_cast<std::size_t>(BlockSize)) {
    throw EInvalidArgument("an initial vector must be one block");
  }
  const auto keySize = static_cast<std::int32_t>(
      std::min<std::size_t>(key.size(), std::numeric_limits<std::int32_t>::max()));
  Init(key.data(), keySize, iv.empty() ? nullptr : iv.data());
}

void TCipher::InitKey(std::string_view keyword, const void* iv) {
  THash& hash = KeyHash();
  hash.Init();
  hash.AddData(keyword.data(), static_cast<std::int32_t>(keyword.size()));
  hash.Finish();
  const std::int32_t digestSize = hash.DigestSize();
  Init(hash.DigestBuffer(), std::min(digestSize, MaxKeySize), iv);
  // The hash object must not keep the key material in plain.
  EncipherBuffer(hash.DigestBuffer(), hash.DigestBuffer(), digestSize);
  ResetChain();
  // The MAC modes only read their data, so there the digest is overwritten.
  if (IsMacMode(Mode)) SecureFill(hash.DigestBuffer(), 0, static_cast<std::size_t>(digestSize));
  SetStateFlag(kKeyedFromKeyword, true);
}

void TCipher::RaiseNotInitialized() const {
  RaiseCipherException(kFaultNotInitialized,
                       FormatMessage(kCipherNotInitialized, {ClassType().ClassName()}));
}

// ---- the block interface of the modes -------------------------------------

TModeChain TCipher::Chain() {
  return TModeChain{*this, chainBlock_.get(), scratchBlock_.get(),
                    static_cast<std::size_t>(BlockSize)};
}

void TCipher::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    EncipherBlock(blocks + i * static_cast<std::size_t>(BlockSize));
}

void TCipher::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    DecipherBlock(blocks + i * static_cast<std::size_t>(BlockSize));
}

void TCipher::EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest,
                                    std::size_t count, TChainFeedback feedback) {
  TModeChain chain = Chain();
  EncipherChainedBlockByBlock(chain, source, dest, count, feedback);
}

void TCipher::CodeBuffer(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest,
                         bool encipher) {
  if (!HasStateFlag(kInitialized)) RaiseNotInitialized();
  if (dest.size() < source.size()) {
    throw EInvalidArgument("the destination is shorter than the source");
  }
  if (source.empty()) return;
  TModeChain chain = Chain();
  CodeInMode(Mode, chain, source.data(), dest.data(), source.size(), encipher);
}

void TCipher::EncipherBuffer(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  CodeBuffer(source, dest, true);
}

void TCipher::DecipherBuffer(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  CodeBuffer(source, dest, false);
}

void TCipher::EncipherBuffer(const void* source, void* dest, std::int32_t count) {
  const auto n = static_cast<std::size_t>(std::max(count, 0));
  EncipherBuffer(std::span(static_cast<const std::uint8_t*>(source), n),
                 std::span(static_cast<std::uint8_t*>(dest), n));
}

void TCipher::DecipherBuffer(const void* source, void* dest, std::int32_t count) {
  const auto n = static_cast<std::size_t>(std::max(count, 0));
  DecipherBuffer(std::span(static_cast<const std::uint8_t*>(source), n),
                 std::span(static_cast<std::uint8_t*>(dest), n));
}

// ---- coding pipeline -------------------------------------------------------

void TCipher::ChainTreatment(TCodeAction action) {
  if (action == caDigest) return;
  if (action == caShred) {
    RandomizeBuffer(ClockSeed(), chainBlock_.get(), BlockSize);
  } else {
    ResetChain();
  }
}

void TCipher::BeginRun(TCodeAction action) {
  if (!HasStateFlag(kInitialized)) RaiseNotInitialized();
  ChainTreatment(action);
}

void TCipher::EndRun(TCodeAction action) {
  ChainTreatment(action);
}

void TCipher::CodeRun(std::span<std::uint8_t> data, TCodeAction action) {
  if (action == caDecode) {
    DecipherBuffer(data, data);
  } else {
    EncipherBuffer(data, data);
  }
}

}  // namespace velunor
