// Hash throughput on 1 MiB: Hash1MiB/<algorithm>/<implementation>. The
// 64-byte-block hashes run beside Crypto++'s implementation of the same
// algorithm; Crypto++ 8.7 has no HAVAL, Snefru or Sapphire, so those run on
// their own.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <benchmark/benchmark.h>
#include <crypto++/md5.h>
#include <crypto++/ripemd.h>
#include <crypto++/sha.h>
#include <crypto++/tiger.h>

#include <memory>
#include <string>

#include "bench_support.h"
#include "hash/hash_haval.h"
#include "hash/hash_md5.h"
#include "hash/hash_ripemd160.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_sha1.h"
#include "hash/hash_snefru.h"
#include "hash/hash_tiger.h"

namespace {

using velunor::ByteString;

using velunor::bench::OneMiB;
using velunor::bench::SetThroughput;

template <class Hash>
void OurDigest(benchmark::State& state) {
  const ByteString& data = OneMiB();
  auto hash = std::make_unique<Hash>();
  for (auto _ : state) {
    hash->Init();
    hash->AddData(data.data(), static_cast<std::int32_t>(data.size()));
    hash->Finish();
    benchmark::DoNotOptimize(hash->DigestBuffer()[0]);
  }
  SetThroughput(state, data.size());
}

template <class Hash>
void CryptoppDigest(benchmark::State& state) {
  const ByteString& data = OneMiB();
  Hash hash;
  CryptoPP::byte digest[Hash::DIGESTSIZE];
  for (auto _ : state) {
    hash.CalculateDigest(digest, reinterpret_cast<const CryptoPP::byte*>(data.data()), data.size());
    benchmark::DoNotOptimize(digest[0]);
  }
  SetThroughput(state, data.size());
}

template <class Ours, class Theirs>
void RegisterPair(const std::string& algorithm) {
  benchmark::RegisterBenchmark(("Hash1MiB/" + algorithm + "/velunor").c_str(), OurDigest<Ours>);
  benchmark::RegisterBenchmark(("Hash1MiB/" + algorithm + "/cryptopp").c_str(),
                               CryptoppDigest<Theirs>);
}

const bool kRegistered = [] {
  RegisterPair<velunor::THash_MD5, CryptoPP::Weak::MD5>("MD5");
  RegisterPair<velunor::THash_SHA1, CryptoPP::SHA1>("SHA-1");
  RegisterPair<velunor::THash_RipeMD160, CryptoPP::RIPEMD160>("RIPEMD-160");
  RegisterPair<velunor::THash_Tiger, CryptoPP::Tiger>("Tiger");
  benchmark::RegisterBenchmark("Hash1MiB/HAVAL-256/velunor", OurDigest<velunor::THash_Haval256>);
  benchmark::RegisterBenchmark("Hash1MiB/Snefru-256/velunor", OurDigest<velunor::THash_Snefru>);
  benchmark::RegisterBenchmark("Hash1MiB/Sapphire-II-256/velunor",
                               OurDigest<velunor::THash_Sapphire256>);
  return true;
}();

}  // namespace
