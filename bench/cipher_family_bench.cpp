// ECB enciphering throughput of the further ciphers on 1 MiB, ours beside
// Crypto++'s in the same program, with the same key lengths (our maximum)
// and, for SAFER, the same 6 rounds. 3-Way runs on the largest multiple of
// its 12-byte block that fits in 1 MiB, on both sides.
#include <benchmark/benchmark.h>
#include <crypto++/3way.h>
#include <crypto++/gost.h>
#include <crypto++/idea.h>
#include <crypto++/modes.h>
#include <crypto++/safer.h>
#include <crypto++/shark.h>
#include <crypto++/square.h>
#include <crypto++/twofish.h>

#include <memory>

#include "bench_support.h"
#include "cipher/cipher_3way.h"
#include "cipher/cipher_gost.h"
#include "cipher/cipher_idea.h"
#include "cipher/cipher_safer.h"
#include "cipher/cipher_shark.h"
#include "cipher/cipher_square.h"
#include "cipher/cipher_twofish.h"

namespace {

using velunor::ByteString;
using velunor::bench::kMiB;
using velunor::bench::PatternBytes;
using velunor::bench::PatternKey;

// Whole blocks of pattern bytes, as close to 1 MiB as the block size allows.
ByteString Blocks(std::size_t blockSize) {
  return PatternBytes(kMiB - kMiB % blockSize);
}

template <class Cipher>
void Ours(benchmark::State& state) {
  velunor::ProtectionRef<velunor::TCipher> cipher = Cipher::Class().Create();
  const ByteString key = PatternKey(static_cast<std::size_t>(cipher->MaxKeySize));
  cipher->Init(key.data(), cipher->MaxKeySize, nullptr);
  cipher->Mode = velunor::cmECB;
  ByteString data = Blocks(static_cast<std::size_t>(cipher->BlockSize));
  const auto size = static_cast<std::int32_t>(data.size());
  for (auto _ : state) {
    cipher->EncipherBuffer(data.data(), data.data(), size);
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  velunor::bench::SetThroughput(state, data.size());
}

// rounds 0 keeps Crypto++'s default round count.
template <class Cipher, std::size_t keySize, int rounds = 0>
void CryptoPP(benchmark::State& state) {
  const ByteString key = PatternKey(keySize);
  typename CryptoPP::ECB_Mode<Cipher>::Encryption cipher;
  const auto* keyBytes = reinterpret_cast<const CryptoPP::byte*>(key.data());
  if (rounds > 0) {
    cipher.SetKeyWithRounds(keyBytes, key.size(), rounds);
  } else {
    cipher.SetKey(keyBytes, key.size());
  }
  ByteString data = Blocks(Cipher::BLOCKSIZE);
  auto* bytes = reinterpret_cast<CryptoPP::byte*>(data.data());
  for (auto _ : state) {
    cipher.ProcessData(bytes, bytes, data.size());
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  velunor::bench::SetThroughput(state, data.size());
}

BENCHMARK(Ours<velunor::TCipher_IDEA>)->Name("IDEA_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::IDEA, 16>)->Name("IDEA_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Gost>)->Name("GOST_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::GOST, 32>)->Name("GOST_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_SAFER_K64>)->Name("SAFER_K64_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::SAFER_K, 8, 6>)->Name("SAFER_K64_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Twofish>)->Name("Twofish_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::Twofish, 32>)->Name("Twofish_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Square>)->Name("Square_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::Square, 16>)->Name("Square_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Shark>)->Name("SHARK_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::SHARK, 16>)->Name("SHARK_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_3Way>)->Name("3Way_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::ThreeWay, 12>)->Name("3Way_ECB/CryptoPP");

}  // namespace
