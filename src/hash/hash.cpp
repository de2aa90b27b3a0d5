#include "hash/hash.h"

#include <algorithm>
#include <memory>

#include "hash/mac.h"
#include "protection/format_registry.h"
#include "runtime/support.h"

namespace velunor {

const std::uint8_t SelfTestInput[32] = {
    0x30, 0x44, 0xED, 0x6E, 0x45, 0xA4, 0x96, 0xF5, 0xF6, 0x35, 0xA2, 0xEB, 0x3D, 0x1A, 0x5D, 0xD6,
    0xCB, 0x1D, 0x09, 0x82, 0x2D, 0xBD, 0xF5, 0x60, 0xC2, 0xB8, 0x58, 0xA1, 0x91, 0xF9, 0x81, 0xB1};

ByteString THashClass::DigestAsText(std::string_view data, TProtection* protection,
                                    std::int32_t format) const {
  std::unique_ptr<THash> hash(Create(protection));
  hash->Init();
  // AddData counts in 32 bits; longer data goes in in parts.
  constexpr std::size_t kPart = std::size_t{1} << 30;
  for (std::size_t at = 0; at < data.size(); at += kPart) {
    const std::size_t n = std::min(kPart, data.size() - at);
    hash->AddData(data.data() + at, static_cast<std::int32_t>(n));
  }
  hash->Finish();
  return BytesToText(hash->DigestBuffer(), hash->DigestSize(), format);
}

const THashClass& THash::Class() {
  static const THashClass cls("THash", &TProtection::Class(), 0, SelfTestInput,
                              CreateHashObject<THash>);
  return cls;
}

void THash::Init() {
  RunChainHook(ChainHookPoint::kInit);
}

void THash::AddData(const void*, std::int32_t) {}

void THash::Finish() {
  RunChainHook(ChainHookPoint::kFinish);
}

std::uint8_t* THash::DigestBuffer() {
  return const_cast<std::uint8_t*>(SelfTestInput);
}

void THash::RunChainHook(ChainHookPoint point) {
  TProtection* chained = Protection();
  if (chained == nullptr) return;
  if (auto* mac = dynamic_cast<TMAC*>(chained)) {
    if (point == ChainHookPoint::kInit) {
      mac->BeginKeyedDigest(*this);
    } else {
      mac->EndKeyedDigest(*this);
    }
  } else if (point == ChainHookPoint::kFinish) {
    chained->ProcessMemory(DigestBuffer(), DigestSize(), caOverwrite);
  }
}

void THash::BeginCoding(TCodeAction action) {
  Init();
  if (action == caShred) RandomizeBuffer(ClockSeed(), DigestBuffer(), DigestSize());
  TProtection::BeginCoding(action);
}

void THash::EndCoding(TCodeAction action) {
  TProtection::EndCoding(action);
  if (action == caDigest) {
    Finish();
  } else {
    Init();
  }
}

void THash::CodeData(void* data, std::int32_t size, TCodeAction action) {
  if (action != caDecode) TProtection::CodeData(data, size, action);
  if (InActionSet(ActionSet, action)) {
    if (data == nullptr) return;
    auto* bytes = static_cast<std::uint8_t*>(data);
    const std::int32_t d = DigestSize();
    if (action == caDigest) {
      AddData(bytes, size);
    } else if (d > 0) {  // a null digest has nothing to code with
      for (std::int32_t done = 0; done < size;) {
        const std::int32_t n = std::min(d, size - done);
        if (action == caOverwrite || action == caShred) {
          AddData(bytes + done, n);
          Finish();
          std::copy_n(DigestBuffer(), n, bytes + done);
        } else {
          AddData(DigestBuffer(), d);
          Finish();
          XorBytes(bytes + done, DigestBuffer(), n, bytes + done);
        }
        done += n;
      }
    }
  }
  if (action == caDecode) TProtection::CodeData(data, size, action);
}

const THashClass& TChecksum::Class() {
  static const THashClass cls("TChecksum", &THash::Class(), 0, SelfTestInput,
                              CreateHashObject<TChecksum>);
  return cls;
}

}  // namespace velunor
