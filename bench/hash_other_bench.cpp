// Throughput of HAVAL-256 (5 passes), Snefru-256 and Sapphire II-256 on
// 1 MiB. Crypto++ 8.7 has none of the three (its HAVAL was removed), so they
// run on their own: Hash1MiB/<algorithm>/velunor.
#include <benchmark/benchmark.h>

#include <memory>

#include "hash/hash_haval.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_snefru.h"

namespace {

using velunor::ByteString;

const ByteString& MiB() {
  static const ByteString data = [] {
    ByteString bytes(1 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<char>(i * 131 + (i >> 8));
    return bytes;
  }();
  return data;
}

template <class Hash>
void OurDigest(benchmark::State& state) {
  const ByteString& data = MiB();
  auto hash = std::make_unique<Hash>();
  for (auto _ : state) {
    hash->Init();
    hash->AddData(data.data(), static_cast<std::int32_t>(data.size()));
    hash->Finish();
    benchmark::DoNotOptimize(hash->DigestBuffer()[0]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
}

BENCHMARK(OurDigest<velunor::THash_Haval256>)->Name("Hash1MiB/HAVAL-256/velunor");
BENCHMARK(OurDigest<velunor::THash_Snefru>)->Name("Hash1MiB/Snefru-256/velunor");
BENCHMARK(OurDigest<velunor::THash_Sapphire256>)->Name("Hash1MiB/Sapphire-II-256/velunor");

}  // namespace
