// ECB enciphering throughput of IDEA, GOST and SAFER K-64 on 1 MiB, ours
// beside Crypto++'s in the same program, with the same key lengths and, for
// SAFER, the same 6 rounds.
#include <benchmark/benchmark.h>
#include <crypto++/gost.h>
#include <crypto++/idea.h>
#include <crypto++/modes.h>
#include <crypto++/safer.h>

#include <memory>

#include "cipher/cipher_gost.h"
#include "cipher/cipher_idea.h"
#include "cipher/cipher_safer.h"

namespace {

using velunor::ByteString;

constexpr std::size_t kMiB = 1 << 20;

ByteString Data() {
  ByteString data(kMiB, '\0');
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<char>(i * 131 + (i >> 8));
  return data;
}

ByteString Key(std::size_t size) {
  ByteString key(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    key[i] = static_cast<char>(0x5A ^ (i * 29));
  return key;
}

template <class Cipher>
void Ours(benchmark::State& state) {
  std::unique_ptr<velunor::TCipher> cipher(Cipher::Class().Create());
  const ByteString key = Key(static_cast<std::size_t>(cipher->MaxKeySize));
  cipher->Init(key.data(), cipher->MaxKeySize, nullptr);
  cipher->Mode = velunor::cmECB;
  ByteString data = Data();
  const auto size = static_cast<std::int32_t>(data.size());
  for (auto _ : state) {
    cipher->EncipherBuffer(data.data(), data.data(), size);
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
}

// Keyed with our maximum key length; rounds 0 keeps Crypto++'s default.
template <class Cipher, std::size_t keySize, int rounds = 0>
void CryptoPP(benchmark::State& state) {
  const ByteString key = Key(keySize);
  typename CryptoPP::ECB_Mode<Cipher>::Encryption cipher;
  const auto* keyBytes = reinterpret_cast<const CryptoPP::byte*>(key.data());
  if (rounds > 0) {
    cipher.SetKeyWithRounds(keyBytes, key.size(), rounds);
  } else {
    cipher.SetKey(keyBytes, key.size());
  }
  ByteString data = Data();
  auto* bytes = reinterpret_cast<CryptoPP::byte*>(data.data());
  for (auto _ : state) {
    cipher.ProcessData(bytes, bytes, data.size());
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
}

BENCHMARK(Ours<velunor::TCipher_IDEA>)->Name("IDEA_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::IDEA, 16>)->Name("IDEA_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Gost>)->Name("GOST_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::GOST, 32>)->Name("GOST_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_SAFER_K64>)->Name("SAFER_K64_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::SAFER_K, 8, 6>)->Name("SAFER_K64_ECB/CryptoPP");

}  // namespace
