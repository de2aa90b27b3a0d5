#include "cipher/cipher.h"

#include <algorithm>
#include <cstring>

#include "hash/hash_registry.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/support.h"

namespace velunor {

bool StrictKeyLength = false;

namespace {

// Blocks deciphered at once in cmCTS and cmCBC; their cipher blocks are kept
// on the stack while the blocks are deciphered in place.
constexpr std::size_t kDecipherBatchBytes = 512;

// The chain step after a batch of blocks was deciphered: every plain block
// is xored with the chain value before it, which then moves on (cmCTS:
// F ^= C; cmCBC: F = C). 8-byte blocks go as whole words.
void UnchainBatch(std::uint8_t* plain, const std::uint8_t* cipher, std::uint8_t* f,
                  std::size_t count, std::size_t block, bool xorFeedback) {
  if (block == 8) {
    std::uint64_t chain;
    std::memcpy(&chain, f, 8);
    for (std::size_t i = 0; i < count; ++i) {
      std::uint64_t p;
      std::uint64_t c;
      std::memcpy(&p, plain + 8 * i, 8);
      std::memcpy(&c, cipher + 8 * i, 8);
      p ^= chain;
      std::memcpy(plain + 8 * i, &p, 8);
      chain = xorFeedback ? chain ^ c : c;
    }
    std::memcpy(f, &chain, 8);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t k = 0; k < block; ++k) {
      plain[i * block + k] ^= f[k];
      f[k] = xorFeedback ? static_cast<std::uint8_t>(f[k] ^ cipher[i * block + k])
                         : cipher[i * block + k];
    }
  }
}

std::unique_ptr<std::uint8_t[]> AllocateBuffer(std::int32_t size) {
  return std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(std::max(size, 1)));
}

}  // namespace

TCipher* TCipherClass::Create(const ByteString& keyword, TProtection* protection) const {
  if (factory_ == nullptr) return nullptr;
  std::unique_ptr<TCipher> cipher(factory_(protection));
  if (!keyword.empty()) cipher->InitKey(keyword, nullptr);
  return cipher.release();
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
          FormatMessage(MessageId::kInvalidKeyLength, {ClassType().ClassName(), 0, MaxKeySize}));
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
  if (!keyHash_) keyHash_.Reset(keyHashClass_->Create(nullptr));
  return *keyHash_;
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
  if (Mode > cmECB) SecureFill(hash.DigestBuffer(), 0, static_cast<std::size_t>(digestSize));
  SetStateFlag(kKeyedFromKeyword, true);
}

void TCipher::RaiseNotInitialized() const {
  RaiseCipherException(kFaultNotInitialized,
                       FormatMessage(MessageId::kCipherNotInitialized, {ClassType().ClassName()}));
}

// ---- chaining modes --------------------------------------------------------

void TCipher::EncipherBlocks(std::uint8_t* blocks, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    EncipherBlock(blocks + i * static_cast<std::size_t>(BlockSize));
}

void TCipher::DecipherBlocks(std::uint8_t* blocks, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    DecipherBlock(blocks + i * static_cast<std::size_t>(BlockSize));
}

void TCipher::EncipherChainIntoScratch() {
  std::memcpy(scratchBlock_.get(), chainBlock_.get(), static_cast<std::size_t>(BlockSize));
  EncipherBlock(scratchBlock_.get());
}

// A partial last block of the block modes: W = E(F); T = S xor W; F = W xor F.
void TCipher::EncipherTail(const std::uint8_t* source, std::uint8_t* dest, std::int32_t count) {
  EncipherChainIntoScratch();
  XorBytes(source, scratchBlock_.get(), count, dest);
  XorBytes(scratchBlock_.get(), chainBlock_.get(), BlockSize, chainBlock_.get());
}

// Moves F one byte toward its start and puts `value` at its end.
void TCipher::ShiftChainIn(std::uint8_t value) {
  std::uint8_t* f = chainBlock_.get();
  std::memmove(f, f + 1, static_cast<std::size_t>(BlockSize - 1));
  f[BlockSize - 1] = value;
}

void TCipher::EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest,
                                    std::size_t count, TCipherMode mode) {
  std::uint8_t* f = chainBlock_.get();
  for (; count > 0; --count, source += BlockSize, dest += BlockSize) {
    XorBytes(source, f, BlockSize, dest);
    EncipherBlock(dest);
    if (mode == cmCTS) {
      XorBytes(dest, f, BlockSize, f);
    } else {
      std::memcpy(f, dest, static_cast<std::size_t>(BlockSize));
    }
  }
}

// cmCTS and cmCBC: whole blocks through the chain, then the tail.
void TCipher::EncipherChained(const std::uint8_t* s, std::uint8_t* t, std::int32_t n,
                              TCipherMode mode) {
  const std::int32_t whole = n - n % BlockSize;
  EncipherChainedBlocks(s, t, static_cast<std::size_t>(whole / BlockSize), mode);
  if (n > whole) EncipherTail(s + whole, t + whole, n - whole);
}

void TCipher::EncipherCFB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) {
    EncipherChainIntoScratch();
    const auto c = static_cast<std::uint8_t>(s[i] ^ scratchBlock_[0]);
    ShiftChainIn(c);
    t[i] = c;
  }
}

void TCipher::DecipherCFB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) {
    EncipherChainIntoScratch();
    const std::uint8_t c = s[i];
    ShiftChainIn(c);
    t[i] = static_cast<std::uint8_t>(c ^ scratchBlock_[0]);
  }
}

void TCipher::CodeOFB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) {
    EncipherChainIntoScratch();
    const std::uint8_t key = scratchBlock_[0];
    ShiftChainIn(key);
    t[i] = static_cast<std::uint8_t>(s[i] ^ key);
  }
}

// Whole blocks are coded one by one. A partial last block is coded as in
// cmCBC, as the key stream E(F) xor the bytes, so that it can be undone.
void TCipher::CodeECB(const std::uint8_t* s, std::uint8_t* t, std::int32_t n, bool encipher) {
  if (s != t) std::memmove(t, s, static_cast<std::size_t>(n));
  const auto blocks = static_cast<std::size_t>(n / BlockSize);
  if (encipher) {
    EncipherBlocks(t, blocks);
  } else {
    DecipherBlocks(t, blocks);
  }
  const std::int32_t tail = n % BlockSize;
  if (tail > 0) {
    std::uint8_t* rest = t + static_cast<std::ptrdiff_t>(blocks) * BlockSize;
    EncipherTail(rest, rest, tail);
  }
}

void TCipher::ChainMAC(const std::uint8_t* s, std::int32_t n, TCipherMode mode) {
  std::uint8_t* f = chainBlock_.get();
  std::uint8_t* w = scratchBlock_.get();
  if (mode == cmCFBMAC) {
    for (std::int32_t i = 0; i < n; ++i) {
      EncipherChainIntoScratch();
      ShiftChainIn(static_cast<std::uint8_t>(s[i] ^ w[0]));
    }
    return;
  }
  for (; n >= BlockSize; n -= BlockSize, s += BlockSize) {
    XorBytes(s, f, BlockSize, w);
    EncipherBlock(w);
    if (mode == cmCTSMAC) {
      XorBytes(w, f, BlockSize, f);
    } else {
      std::memcpy(f, w, static_cast<std::size_t>(BlockSize));
    }
  }
  if (n > 0) {
    EncipherChainIntoScratch();
    XorBytes(w, f, BlockSize, f);
  }
}

// cmCTS and cmCBC deciphering. Each plain block needs only its cipher block
// and the chain value before it (cmCTS: the xor of the IV and all earlier
// cipher blocks; cmCBC: the previous cipher block), so blocks are deciphered
// in batches, with their cipher blocks kept on the stack meanwhile.
void TCipher::DecipherChained(std::uint8_t* t, std::int32_t n, TCipherMode mode) {
  std::uint8_t* f = chainBlock_.get();
  const auto block = static_cast<std::size_t>(BlockSize);
  const std::size_t batchBlocks = kDecipherBatchBytes / block;
  std::uint8_t saved[kDecipherBatchBytes];
  while (n >= BlockSize) {
    const std::size_t count = std::min(batchBlocks, static_cast<std::size_t>(n) / block);
    std::memcpy(saved, t, count * block);
    DecipherBlocks(t, count);
    UnchainBatch(t, saved, f, count, block, mode == cmCTS);
    t += count * block;
    n -= static_cast<std::int32_t>(count * block);
  }
  if (n > 0) EncipherTail(t, t, n);
}

void TCipher::EncipherBuffer(const void* source, void* dest, std::int32_t count) {
  if (!HasStateFlag(kInitialized)) RaiseNotInitialized();
  if (count <= 0) return;
  const auto* s = static_cast<const std::uint8_t*>(source);
  auto* t = static_cast<std::uint8_t*>(dest);
  switch (Mode) {
    case cmCTS:
    case cmCBC:
      EncipherChained(s, t, count, Mode);
      break;
    case cmCFB:
      EncipherCFB(s, t, count);
      break;
    case cmOFB:
      CodeOFB(s, t, count);
      break;
    case cmECB:
      CodeECB(s, t, count, true);
      break;
    case cmCTSMAC:
    case cmCBCMAC:
    case cmCFBMAC:
      ChainMAC(s, count, Mode);
      break;
  }
}

void TCipher::DecipherBuffer(const void* source, void* dest, std::int32_t count) {
  if (!HasStateFlag(kInitialized)) RaiseNotInitialized();
  if (count <= 0) return;
  const auto* s = static_cast<const std::uint8_t*>(source);
  auto* t = static_cast<std::uint8_t*>(dest);
  switch (Mode) {
    case cmCTS:
    case cmCBC:
      if (s != t) std::memmove(t, s, static_cast<std::size_t>(count));
      DecipherChained(t, count, Mode);
      break;
    case cmCFB:
      DecipherCFB(s, t, count);
      break;
    case cmOFB:
      CodeOFB(s, t, count);
      break;
    case cmECB:
      CodeECB(s, t, count, false);
      break;
    case cmCTSMAC:
    case cmCBCMAC:
    case cmCFBMAC:
      ChainMAC(s, count, Mode);
      break;
  }
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

void TCipher::BeginCoding(TCodeAction action) {
  if (!HasStateFlag(kInitialized)) RaiseNotInitialized();
  ChainTreatment(action);
  TProtection::BeginCoding(action);
}

void TCipher::EndCoding(TCodeAction action) {
  TProtection::EndCoding(action);
  ChainTreatment(action);
}

void TCipher::CodeData(void* data, std::int32_t size, TCodeAction action) {
  if (action == caDecode) {
    if (InActionSet(ActionSet, action)) DecipherBuffer(data, data, size);
    TProtection::CodeData(data, size, action);
  } else {
    TProtection::CodeData(data, size, action);
    if (InActionSet(ActionSet, action)) EncipherBuffer(data, data, size);
  }
}

}  // namespace velunor
