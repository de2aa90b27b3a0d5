// Throughput of the 64-byte-block hashes on 1 MiB, each beside Crypto++'s
// implementation of the same algorithm: Hash1MiB/<algorithm>/<implementation>.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <benchmark/benchmark.h>
#include <crypto++/md5.h>
#include <crypto++/ripemd.h>
#include <crypto++/sha.h>
#include <crypto++/tiger.h>

#include <memory>
#include <string>

#include "hash/hash_md5.h"
#include "hash/hash_ripemd160.h"
#include "hash/hash_sha1.h"
#include "hash/hash_tiger.h"

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

void CountBytes(benchmark::State& state, std::size_t size) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(size));
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
  CountBytes(state, data.size());
}

template <class Hash>
void CryptoppDigest(benchmark::State& state) {
  const ByteString& data = MiB();
  Hash hash;
  CryptoPP::byte digest[Hash::DIGESTSIZE];
  for (auto _ : state) {
    hash.CalculateDigest(digest, reinterpret_cast<const CryptoPP::byte*>(data.data()), data.size());
    benchmark::DoNotOptimize(digest[0]);
  }
  CountBytes(state, data.size());
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
  return true;
}();

}  // namespace
