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
  const ProtectionRef<THash> hash = Create(protection);
  hash->Init();
  hash->AddData(std::span(BytesOf(data), data.size()));
  hash->Finish();
  return BytesToText(hash->DigestBuffer(), hash->DigestSize(), format);
}

const THashClass& THash::Class() {
  static const THashClass cls("THash", &TProtection::Class(), THashInfo{}, SelfTestInput,
                              CreateHashObject<THash>);
  return cls;
}

void THash::Init() {
  StartDigest();
  RunChainHook(ChainHookPoint::kInit);
}

void THash::AddData(std::span<const std::uint8_t> data) {
  if (!data.empty()) Absorb(data);
}

void THash::AddData(const void* buffer, std::int32_t length) {
  if (buffer == nullptr || length <= 0) return;
  AddData(std::span(static_cast<const std::uint8_t*>(buffer), static_cast<std::size_t>(length)));
}

void THash::Finish() {
  CompleteDigest();
  RunChainHook(ChainHookPoint::kFinish);
}

// A keyed digest (TMAC) takes part at both points; any other chained object
// codes the finished digest in place.
void THash::RunChainHook(ChainHookPoint point) {
  TProtection* chained = Protection();
  if (chained == nullptr) return;
  if (IsInstanceOf(chained, TMAC::Class())) {
    auto& mac = static_cast<TMAC&>(*chained);
    if (point == ChainHookPoint::kInit) {
      mac.BeginKeyedDigest(*this);
    } else {
      mac.EndKeyedDigest(*this);
    }
  } else if (point == ChainHookPoint::kFinish) {
    chained->ProcessMemory(DigestBytes(), caOverwrite);
  }
}

void THash::BeginRun(TCodeAction action) {
  Init();
  if (action == caShred) RandomizeBuffer(ClockSeed(), DigestBuffer(), DigestSize());
}

void THash::EndRun(TCodeAction action) {
  if (action == caDigest) {
    Finish();
  } else {
    Init();
  }
}

void THash::CodeRun(std::span<std::uint8_t> data, TCodeAction action) {
  const auto d = static_cast<std::size_t>(DigestSize());
  if (action == caDigest) {
    AddData(data);
    return;
  }
  if (d == 0) return;  // a null digest has nothing to code with
  for (std::size_t done = 0; done < data.size();) {
    const std::size_t n = std::min(d, data.size() - done);
    const std::span<std::uint8_t> piece = data.subspan(done, n);
    if (action == caOverwrite || action == caShred) {
      AddData(piece);
      Finish();
      std::copy_n(DigestBuffer(), n, piece.begin());
    } else {
      AddData(DigestBytes());
      Finish();
      XorBytes(piece.data(), DigestBuffer(), static_cast<std::int32_t>(n), piece.data());
    }
    done += n;
  }
}

const THashClass& TChecksum::Class() {
  static const THashClass cls("TChecksum", &THash::Class(), THashInfo{}, SelfTestInput,
                              CreateHashObject<TChecksum>);
  return cls;
}

}  // namespace velunor
