// RIPEMD-256 throughput, ours beside Crypto++'s in the same run: one long
// message (1 MiB) and many short ones (32 bytes, the size of a key digest).
#include <benchmark/benchmark.h>
#include <crypto++/ripemd.h>

#include <cstdint>
#include <vector>

#include "hash/hash_ripemd256.h"

namespace {

std::vector<std::uint8_t> Message(std::size_t size) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i)
    data[i] = static_cast<std::uint8_t>(i * 131 + (i >> 8));
  return data;
}

void BM_RipeMD256_Ours(benchmark::State& state) {
  const auto data = Message(static_cast<std::size_t>(state.range(0)));
  const auto hash = velunor::MakeProtection<velunor::THash_RipeMD256>(nullptr);
  for (auto _ : state) {
    hash->Init();
    hash->AddData(data.data(), static_cast<std::int32_t>(data.size()));
    hash->Finish();
    benchmark::DoNotOptimize(hash->DigestBuffer()[0]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RipeMD256_Ours)->Arg(1 << 20)->Arg(32);

void BM_RipeMD256_CryptoPP(benchmark::State& state) {
  const auto data = Message(static_cast<std::size_t>(state.range(0)));
  CryptoPP::RIPEMD256 hash;
  CryptoPP::byte digest[CryptoPP::RIPEMD256::DIGESTSIZE];
  for (auto _ : state) {
    hash.CalculateDigest(digest, data.data(), data.size());
    benchmark::DoNotOptimize(digest[0]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RipeMD256_CryptoPP)->Arg(1 << 20)->Arg(32);

}  // namespace
