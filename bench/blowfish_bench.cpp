// Blowfish beside Crypto++'s and OpenSSL's in the same run: ECB enciphering
// and deciphering, cmCTS (ours) against CBC (theirs) on 1 MiB, and the key
// set-up from a keyword against their key schedules alone.
#define OPENSSL_SUPPRESS_DEPRECATED 1
#include <benchmark/benchmark.h>
#include <crypto++/blowfish.h>
#include <crypto++/modes.h>
#include <openssl/blowfish.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
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
  const auto cipher = velunor::MakeProtection<velunor::TCipher_Blowfish>(nullptr);
  cipher->Mode = mode;
  cipher->Init(kKey, sizeof kKey, nullptr);
  const auto size = static_cast<std::int32_t>(data.size());
  for (auto _ : state) {
    if (encipher) {
      cipher->EncipherBuffer(data.data(), data.data(), size);
    } else {
      cipher->DecipherBuffer(data.data(), data.data(), size);
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

// OpenSSL's low-level Blowfish, as its enc command drives it: ECB block by
// block, CBC in one call.
BF_KEY OpensslKey() {
  BF_KEY key;
  BF_set_key(&key, sizeof kKey, kKey);
  return key;
}

void OpensslEcb(benchmark::State& state, int direction) {
  auto data = Data();
  const BF_KEY key = OpensslKey();
  for (auto _ : state) {
    for (std::size_t i = 0; i < data.size(); i += 8)
      BF_ecb_encrypt(data.data() + i, data.data() + i, &key, direction);
    benchmark::ClobberMemory();
  }
  Throughput(state);
}

void OpensslCbc(benchmark::State& state, int direction) {
  auto data = Data();
  const BF_KEY key = OpensslKey();
  for (auto _ : state) {
    unsigned char iv[8];
    std::copy(std::begin(kIV), std::end(kIV), iv);
    BF_cbc_encrypt(data.data(), data.data(), static_cast<long>(data.size()), &key, iv, direction);
    benchmark::ClobberMemory();
  }
  Throughput(state);
}

void BM_Blowfish_OpenSSL_ECB_Encipher(benchmark::State& state) {
  OpensslEcb(state, BF_ENCRYPT);
}
void BM_Blowfish_OpenSSL_ECB_Decipher(benchmark::State& state) {
  OpensslEcb(state, BF_DECRYPT);
}
void BM_Blowfish_OpenSSL_CBC_Encipher(benchmark::State& state) {
  OpensslCbc(state, BF_ENCRYPT);
}
void BM_Blowfish_OpenSSL_CBC_Decipher(benchmark::State& state) {
  OpensslCbc(state, BF_DECRYPT);
}
BENCHMARK(BM_Blowfish_OpenSSL_ECB_Encipher);
BENCHMARK(BM_Blowfish_OpenSSL_ECB_Decipher);
BENCHMARK(BM_Blowfish_OpenSSL_CBC_Encipher);
BENCHMARK(BM_Blowfish_OpenSSL_CBC_Decipher);

// Keyword to keyed cipher: RIPEMD-256 digest, key schedule (521 block
// encipherments), default IV, encipherment of the digest.
void BM_Blowfish_Ours_InitKey(benchmark::State& state) {
  const auto cipher = velunor::MakeProtection<velunor::TCipher_Blowfish>(nullptr);
  const std::string keyword = "Schl\xFCsselwort";
  for (auto _ : state) {
    cipher->InitKey(keyword, nullptr);
    benchmark::DoNotOptimize(cipher->InitVector()[0]);
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

// OpenSSL's key schedule alone.
void BM_Blowfish_OpenSSL_SetKey(benchmark::State& state) {
  BF_KEY key;
  for (auto _ : state) {
    BF_set_key(&key, sizeof kKey, kKey);
    benchmark::DoNotOptimize(key.P[0]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Blowfish_OpenSSL_SetKey);

}  // namespace
