// Hash throughput on 1 MiB: Hash1MiB/<algorithm>/<implementation>. Each
// algorithm runs beside every rival library that has it: Crypto++, OpenSSL's
// libcrypto (its one-call digest functions) and RHash. HAVAL, SHA-0,
// Sapphire and the Square hash have no rival and run on their own.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#define OPENSSL_SUPPRESS_DEPRECATED 1
#include <benchmark/benchmark.h>
#include <crypto++/md4.h>
#include <crypto++/md5.h>
#include <crypto++/ripemd.h>
#include <crypto++/sha.h>
#include <crypto++/tiger.h>
#include <openssl/md4.h>
#include <openssl/md5.h>
#include <openssl/ripemd.h>
#include <openssl/sha.h>
#include <rhash.h>

#include <memory>
#include <string>

#include "bench_support.h"
#include "hash/hash_haval.h"
#include "hash/hash_md4.h"
#include "hash/hash_md5.h"
#include "hash/hash_ripemd128.h"
#include "hash/hash_ripemd160.h"
#include "hash/hash_ripemd320.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_sha.h"
#include "hash/hash_sha1.h"
#include "hash/hash_snefru.h"
#include "hash/hash_square.h"
#include "hash/hash_tiger.h"

namespace {

using velunor::ByteString;
using velunor::bench::OneMiB;
using velunor::bench::SetThroughput;

const unsigned char* Bytes(const ByteString& data) {
  return reinterpret_cast<const unsigned char*>(data.data());
}

template <class Hash>
void OurDigest(benchmark::State& state) {
  const ByteString& data = OneMiB();
  const auto hash = velunor::MakeProtection<Hash>(nullptr);
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
    hash.CalculateDigest(digest, Bytes(data), data.size());
    benchmark::DoNotOptimize(digest[0]);
  }
  SetThroughput(state, data.size());
}

// OpenSSL's one-call digests (MD4, MD5, SHA1, RIPEMD160) share this shape.
using OpensslOneCall = unsigned char* (*)(const unsigned char*, size_t, unsigned char*);

void OpensslDigest(benchmark::State& state, OpensslOneCall digestFunction) {
  const ByteString& data = OneMiB();
  unsigned char digest[64];
  for (auto _ : state) {
    digestFunction(Bytes(data), data.size(), digest);
    benchmark::DoNotOptimize(digest[0]);
  }
  SetThroughput(state, data.size());
}

void RhashDigest(benchmark::State& state, unsigned hashId) {
  static const bool initialized = [] {
    rhash_library_init();
    return true;
  }();
  benchmark::DoNotOptimize(initialized);
  const ByteString& data = OneMiB();
  unsigned char digest[64];
  for (auto _ : state) {
    if (rhash_msg(hashId, data.data(), data.size(), digest) != 0) {
      state.SkipWithError("rhash_msg failed");
      break;
    }
    benchmark::DoNotOptimize(digest[0]);
  }
  SetThroughput(state, data.size());
}

std::string Name(const std::string& algorithm, const char* implementation) {
  return "Hash1MiB/" + algorithm + "/" + implementation;
}

template <class Ours>
void RegisterOurs(const std::string& algorithm) {
  benchmark::RegisterBenchmark(Name(algorithm, "velunor").c_str(), OurDigest<Ours>);
}

template <class Theirs>
void RegisterCryptopp(const std::string& algorithm) {
  benchmark::RegisterBenchmark(Name(algorithm, "cryptopp").c_str(), CryptoppDigest<Theirs>);
}

void RegisterOpenssl(const std::string& algorithm, OpensslOneCall digestFunction) {
  benchmark::RegisterBenchmark(Name(algorithm, "openssl").c_str(), OpensslDigest, digestFunction);
}

void RegisterRhash(const std::string& algorithm, unsigned hashId) {
  benchmark::RegisterBenchmark(Name(algorithm, "rhash").c_str(), RhashDigest, hashId);
}

const bool kRegistered = [] {
  RegisterOurs<velunor::THash_MD4>("MD4");
  RegisterCryptopp<CryptoPP::Weak::MD4>("MD4");
  RegisterOpenssl("MD4", MD4);
  RegisterRhash("MD4", RHASH_MD4);

  RegisterOurs<velunor::THash_MD5>("MD5");
  RegisterCryptopp<CryptoPP::Weak::MD5>("MD5");
  RegisterOpenssl("MD5", MD5);
  RegisterRhash("MD5", RHASH_MD5);

  RegisterOurs<velunor::THash_SHA1>("SHA-1");
  RegisterCryptopp<CryptoPP::SHA1>("SHA-1");
  RegisterOpenssl("SHA-1", SHA1);
  RegisterRhash("SHA-1", RHASH_SHA1);

  RegisterOurs<velunor::THash_RipeMD128>("RIPEMD-128");
  RegisterCryptopp<CryptoPP::RIPEMD128>("RIPEMD-128");

  RegisterOurs<velunor::THash_RipeMD160>("RIPEMD-160");
  RegisterCryptopp<CryptoPP::RIPEMD160>("RIPEMD-160");
  RegisterOpenssl("RIPEMD-160", RIPEMD160);
  RegisterRhash("RIPEMD-160", RHASH_RIPEMD160);

  RegisterOurs<velunor::THash_RipeMD320>("RIPEMD-320");
  RegisterCryptopp<CryptoPP::RIPEMD320>("RIPEMD-320");

  RegisterOurs<velunor::THash_Tiger>("Tiger");
  RegisterCryptopp<CryptoPP::Tiger>("Tiger");
  RegisterRhash("Tiger", RHASH_TIGER);

  RegisterOurs<velunor::THash_Snefru>("Snefru-256");
  RegisterRhash("Snefru-256", RHASH_SNEFRU256);

  RegisterOurs<velunor::THash_SHA>("SHA-0");
  RegisterOurs<velunor::THash_Haval256>("HAVAL-256");
  RegisterOurs<velunor::THash_Sapphire256>("Sapphire-II-256");
  RegisterOurs<velunor::THash_Square>("Square");
  return true;
}();

}  // namespace
