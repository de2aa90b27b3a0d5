// ECB enciphering throughput of Twofish, Square, SHARK and 3-Way on 1 MiB,
// ours beside Crypto++'s in the same program. 3-Way runs on the largest
// multiple of its 12-byte block that fits in 1 MiB, on both sides.
#include <benchmark/benchmark.h>
#include <crypto++/3way.h>
#include <crypto++/modes.h>
#include <crypto++/shark.h>
#include <crypto++/square.h>
#include <crypto++/twofish.h>

#include <memory>

#include "cipher/cipher_3way.h"
#include "cipher/cipher_shark.h"
#include "cipher/cipher_square.h"
#include "cipher/cipher_twofish.h"

namespace {

using velunor::ByteString;

constexpr std::size_t kMiB = 1 << 20;

ByteString Data(std::size_t blockSize) {
  ByteString data(kMiB - kMiB % blockSize, '\0');
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
  ByteString data = Data(static_cast<std::size_t>(cipher->BlockSize));
  const auto size = static_cast<std::int32_t>(data.size());
  for (auto _ : state) {
    cipher->EncipherBuffer(data.data(), data.data(), size);
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
}

// Keyed with the same key length as ours (our maximum).
template <class Cipher, std::size_t keySize>
void CryptoPP(benchmark::State& state) {
  const ByteString key = Key(keySize);
  typename CryptoPP::ECB_Mode<Cipher>::Encryption cipher(
      reinterpret_cast<const CryptoPP::byte*>(key.data()), key.size());
  ByteString data = Data(Cipher::BLOCKSIZE);
  auto* bytes = reinterpret_cast<CryptoPP::byte*>(data.data());
  for (auto _ : state) {
    cipher.ProcessData(bytes, bytes, data.size());
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
}

BENCHMARK(Ours<velunor::TCipher_Twofish>)->Name("Twofish_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::Twofish, 32>)->Name("Twofish_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Square>)->Name("Square_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::Square, 16>)->Name("Square_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_Shark>)->Name("SHARK_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::SHARK, 16>)->Name("SHARK_ECB/CryptoPP");
BENCHMARK(Ours<velunor::TCipher_3Way>)->Name("3Way_ECB/Velunor");
BENCHMARK(CryptoPP<CryptoPP::ThreeWay, 12>)->Name("3Way_ECB/CryptoPP");

}  // namespace
