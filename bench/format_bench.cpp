// Base-64 throughput on 1 MiB, beside Crypto++'s encoder and decoder.
#include <benchmark/benchmark.h>
#include <crypto++/base64.h>
#include <crypto++/filters.h>

#include "bench_support.h"
#include "protection/format_registry.h"

namespace {

using velunor::ByteString;

using velunor::bench::OneMiB;

void BM_Base64Encode(benchmark::State& state) {
  const ByteString data = OneMiB();
  for (auto _ : state) {
    benchmark::DoNotOptimize(velunor::BytesToText(data, velunor::sfBase64));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
}
BENCHMARK(BM_Base64Encode);

void BM_Base64Decode(benchmark::State& state) {
  const ByteString text = velunor::BytesToText(OneMiB(), velunor::sfBase64);
  for (auto _ : state) {
    benchmark::DoNotOptimize(velunor::TextToBytes(text, velunor::sfBase64));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Base64Decode);

void BM_Base64Encode_CryptoPP(benchmark::State& state) {
  const ByteString data = OneMiB();
  for (auto _ : state) {
    std::string text;
    CryptoPP::StringSource source(
        data, true, new CryptoPP::Base64Encoder(new CryptoPP::StringSink(text), false));
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
}
BENCHMARK(BM_Base64Encode_CryptoPP);

void BM_Base64Decode_CryptoPP(benchmark::State& state) {
  const ByteString text = velunor::BytesToText(OneMiB(), velunor::sfBase64);
  for (auto _ : state) {
    std::string bytes;
    CryptoPP::StringSource source(text, true,
                                  new CryptoPP::Base64Decoder(new CryptoPP::StringSink(bytes)));
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Base64Decode_CryptoPP);

}  // namespace
