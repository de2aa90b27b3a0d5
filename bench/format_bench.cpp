// The text formats on 1 MiB of bytes, beside OpenSSL's EVP_EncodeBlock and
// EVP_DecodeBlock and Crypto++'s base-64 filters. Every benchmark counts the
// 1 MiB of bytes (not the text), so the rates compare directly. The base 64
// decoders also read that MiB as short padded lines: "=" signs in the middle
// of the text make our decoder hold groups back.
#include <benchmark/benchmark.h>
#include <crypto++/base64.h>
#include <crypto++/filters.h>
#include <openssl/evp.h>

#include "bench_support.h"
#include "protection/format_registry.h"

namespace {

using velunor::ByteString;
using velunor::bench::OneMiB;
using velunor::bench::SetThroughput;

void BM_FormatEncode(benchmark::State& state, std::int32_t number) {
  const ByteString& data = OneMiB();
  for (auto _ : state)
    benchmark::DoNotOptimize(velunor::BytesToText(data, number));
  SetThroughput(state, data.size());
}

void BM_FormatDecode(benchmark::State& state, std::int32_t number) {
  const ByteString text = velunor::BytesToText(OneMiB(), number);
  for (auto _ : state)
    benchmark::DoNotOptimize(velunor::TextToBytes(text, number));
  SetThroughput(state, OneMiB().size());
}

BENCHMARK_CAPTURE(BM_FormatEncode, Base64, velunor::sfBase64);
BENCHMARK_CAPTURE(BM_FormatDecode, Base64, velunor::sfBase64);
BENCHMARK_CAPTURE(BM_FormatEncode, Hex, velunor::sfHex);
BENCHMARK_CAPTURE(BM_FormatDecode, Hex, velunor::sfHex);
BENCHMARK_CAPTURE(BM_FormatEncode, HexLower, velunor::sfHexLower);
BENCHMARK_CAPTURE(BM_FormatDecode, HexLower, velunor::sfHexLower);
BENCHMARK_CAPTURE(BM_FormatEncode, UU, velunor::sfUU);
BENCHMARK_CAPTURE(BM_FormatDecode, UU, velunor::sfUU);
BENCHMARK_CAPTURE(BM_FormatEncode, XX, velunor::sfXX);
BENCHMARK_CAPTURE(BM_FormatDecode, XX, velunor::sfXX);

// OpenSSL writes into a buffer it is given; the result string is made here
// too, as ours makes its result.
void BM_Base64Encode_OpenSSL(benchmark::State& state) {
  const ByteString& data = OneMiB();
  for (auto _ : state) {
    ByteString text((data.size() + 2) / 3 * 4 + 1, '\0');
    const int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                  reinterpret_cast<const unsigned char*>(data.data()),
                                  static_cast<int>(data.size()));
    text.resize(static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(text);
  }
  SetThroughput(state, data.size());
}
BENCHMARK(BM_Base64Encode_OpenSSL);

void BM_Base64Decode_OpenSSL(benchmark::State& state) {
  const ByteString text = velunor::BytesToText(OneMiB(), velunor::sfBase64);
  for (auto _ : state) {
    ByteString data(text.size() / 4 * 3, '\0');
    const int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(data.data()),
                                  reinterpret_cast<const unsigned char*>(text.data()),
                                  static_cast<int>(text.size()));
    data.resize(static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(data);
  }
  SetThroughput(state, OneMiB().size());
}
BENCHMARK(BM_Base64Decode_OpenSSL);

void BM_Base64Encode_CryptoPP(benchmark::State& state) {
  const ByteString& data = OneMiB();
  for (auto _ : state) {
    std::string text;
    CryptoPP::StringSource source(
        data, true, new CryptoPP::Base64Encoder(new CryptoPP::StringSink(text), false));
    benchmark::DoNotOptimize(text);
  }
  SetThroughput(state, data.size());
}
BENCHMARK(BM_Base64Encode_CryptoPP);

// Crypto++'s decoder on a text of the MiB.
void DecodeWithCryptoPP(benchmark::State& state, const ByteString& text) {
  for (auto _ : state) {
    std::string bytes;
    CryptoPP::StringSource source(text, true,
                                  new CryptoPP::Base64Decoder(new CryptoPP::StringSink(bytes)));
    benchmark::DoNotOptimize(bytes);
  }
  SetThroughput(state, OneMiB().size());
}

void BM_Base64Decode_CryptoPP(benchmark::State& state) {
  DecodeWithCryptoPP(state, velunor::BytesToText(OneMiB(), velunor::sfBase64));
}
BENCHMARK(BM_Base64Decode_CryptoPP);

// The MiB cut into pieces of 20 bytes, each written as a line of its own
// (27 digits and one "=").
constexpr std::size_t kLineBytes = 20;

ByteString ShortPaddedLines() {
  const ByteString& data = OneMiB();
  ByteString text;
  for (std::size_t at = 0; at < data.size(); at += kLineBytes)
    text += velunor::BytesToText(data.substr(at, kLineBytes), velunor::sfBase64) + "\n";
  return text;
}

void BM_Base64DecodeShortPaddedLines(benchmark::State& state) {
  const ByteString text = ShortPaddedLines();
  for (auto _ : state)
    benchmark::DoNotOptimize(velunor::TextToBytes(text, velunor::sfBase64));
  SetThroughput(state, OneMiB().size());
}
BENCHMARK(BM_Base64DecodeShortPaddedLines);

// EVP_DecodeBlock takes no "=" before the end of its input: one call per line.
void BM_Base64DecodeShortPaddedLines_OpenSSL(benchmark::State& state) {
  const ByteString text = ShortPaddedLines();
  for (auto _ : state) {
    ByteString data(text.size() / 4 * 3, '\0');
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find('\n', at);
      const int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(data.data() + length),
                                    reinterpret_cast<const unsigned char*>(text.data() + at),
                                    static_cast<int>(end - at));
      length += static_cast<std::size_t>(n);
      at = end + 1;
    }
    data.resize(length);
    benchmark::DoNotOptimize(data);
  }
  SetThroughput(state, OneMiB().size());
}
BENCHMARK(BM_Base64DecodeShortPaddedLines_OpenSSL);

void BM_Base64DecodeShortPaddedLines_CryptoPP(benchmark::State& state) {
  DecodeWithCryptoPP(state, ShortPaddedLines());
}
BENCHMARK(BM_Base64DecodeShortPaddedLines_CryptoPP);

}  // namespace
