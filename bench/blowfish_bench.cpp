// Blowfish beside Crypto++'s in the same run: ECB enciphering and
// deciphering, cmCTS (ours) against CBC (Crypto++) on 1 MiB, and the key
// set-up from a keyword.
#include <benchmark/benchmark.h>
#include <crypto++/blowfish.h>
#include <crypto++/modes.h>

#include <cstdint>
#include <vector>

#include "cipher/cipher_blowfish.h"

namespace {

constexpr std::size_t kDataSize = 1 << 20;
const std::uint8_t kKey[32] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xF0, 0xE1, 0xD2,
                               0xC3, 0xB4, 0xA5, 0x96, 0x87, 0x78, 0x69, 0x5A, 0x4B, 0x3C, 0x2D,
                               0x1E, 0x0F, 0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
const std::uint8_t kIV[8] = {1, 2, 3, 4, 5, 6, 7, 8};

std::vector<std::uint8_t> Data() {
  std::vector<std::uint8_t> data(kDataSize);
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<std::uint8_t>(i * 131 + (i >> 8));
  return data;
}

void Throughput(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kDataSize));
}

// Ours, through EncipherBuffer and DecipherBuffer in the given mode.
void Ours(benchmark::State& state, velunor::TCipherMode mode, bool encipher) {
  auto data = Data();
  velunor::TCipher_Blowfish cipher;
  cipher.Mode = mode;
  cipher.Init(kKey, sizeof kKey, nullptr);
  const auto size = static_cast<std::int32_t>(data.size());
  for (auto _ : state) {
    if (encipher) {
      cipher.EncipherBuffer(data.data(), data.data(), size);
    } else {
      cipher.DecipherBuffer(data.data(), data.data(), size);
    }
    benchmark::ClobberMemory();
  }
  Throughput(state);
}

void BM_Blowfish_Ours_ECB_Encipher(benchmark::State& state) {
  Ours(state, velunor::cmECB, true);
}
void BM_Blowfish_Ours_ECB_Decipher(benchmark::State& state) {
  Ours(state, velunor::cmECB, false);
}
void BM_Blowfish_Ours_CTS_Encipher(benchmark::State& state) {
  Ours(state, velunor::cmCTS, true);
}
void BM_Blowfish_Ours_CTS_Decipher(benchmark::State& state) {
  Ours(state, velunor::cmCTS, false);
}
BENCHMARK(BM_Blowfish_Ours_ECB_Encipher);
BENCHMARK(BM_Blowfish_Ours_ECB_Decipher);
BENCHMARK(BM_Blowfish_Ours_CTS_Encipher);
BENCHMARK(BM_Blowfish_Ours_CTS_Decipher);

template <class Mode>
void CryptoPP(benchmark::State& state, Mode& mode) {
  auto data = Data();
  for (auto _ : state) {
    mode.ProcessData(data.data(), data.data(), data.size());
    benchmark::ClobberMemory();
  }
  Throughput(state);
}

void BM_Blowfish_CryptoPP_ECB_Encipher(benchmark::State& state) {
  CryptoPP::ECB_Mode<CryptoPP::Blowfish>::Encryption mode(kKey, sizeof kKey);
  CryptoPP(state, mode);
}
void BM_Blowfish_CryptoPP_ECB_Decipher(benchmark::State& state) {
  CryptoPP::ECB_Mode<CryptoPP::Blowfish>::Decryption mode(kKey, sizeof kKey);
  CryptoPP(state, mode);
}
void BM_Blowfish_CryptoPP_CBC_Encipher(benchmark::State& state) {
  CryptoPP::CBC_Mode<CryptoPP::Blowfish>::Encryption mode(kKey, sizeof kKey, kIV);
  CryptoPP(state, mode);
}
void BM_Blowfish_CryptoPP_CBC_Decipher(benchmark::State& state) {
  CryptoPP::CBC_Mode<CryptoPP::Blowfish>::Decryption mode(kKey, sizeof kKey, kIV);
  CryptoPP(state, mode);
}
BENCHMARK(BM_Blowfish_CryptoPP_ECB_Encipher);
BENCHMARK(BM_Blowfish_CryptoPP_ECB_Decipher);
BENCHMARK(BM_Blowfish_CryptoPP_CBC_Encipher);
BENCHMARK(BM_Blowfish_CryptoPP_CBC_Decipher);

// Keyword to keyed cipher: RIPEMD-256 digest, key schedule (521 block
// encipherments), default IV, encipherment of the digest.
void BM_Blowfish_Ours_InitKey(benchmark::State& state) {
  velunor::TCipher_Blowfish cipher;
  const std::string keyword = "Schl\xFCsselwort";
  for (auto _ : state) {
    cipher.InitKey(keyword, nullptr);
    benchmark::DoNotOptimize(cipher.InitVector()[0]);
  }
}
BENCHMARK(BM_Blowfish_Ours_InitKey);

// Crypto++'s key schedule alone, for scale.
void BM_Blowfish_CryptoPP_SetKey(benchmark::State& state) {
  CryptoPP::Blowfish::Encryption cipher;
  for (auto _ : state) {
    cipher.SetKey(kKey, sizeof kKey);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Blowfish_CryptoPP_SetKey);

}  // namespace
