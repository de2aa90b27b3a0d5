// Checksum throughput on 1 MiB: Checksum1MiB/<algorithm>/<implementation>.
// CRC-32 runs beside zlib's crc32() and RHash's CRC32; the CRC-16 variants
// and the XOR checksums have no rival library and are measured on their own.
#include <benchmark/benchmark.h>
#include <rhash.h>
#include <zlib.h>

#include <memory>
#include <string>

#include "bench_support.h"
#include "hash/hash_crc16_ccitt.h"
#include "hash/hash_crc16_standard.h"
#include "hash/hash_crc32.h"
#include "hash/hash_xor16.h"
#include "hash/hash_xor32.h"

namespace {

using velunor::ByteString;
using velunor::bench::OneMiB;
using velunor::bench::SetThroughput;

template <class Checksum>
void Ours(benchmark::State& state) {
  const ByteString& data = OneMiB();
  const auto checksum = velunor::MakeProtection<Checksum>(nullptr);
  for (auto _ : state) {
    checksum->Init();
    checksum->AddData(data.data(), static_cast<std::int32_t>(data.size()));
    checksum->Finish();
    benchmark::DoNotOptimize(checksum->DigestBuffer()[0]);
  }
  SetThroughput(state, data.size());
}

void Zlib(benchmark::State& state) {
  const ByteString& data = OneMiB();
  for (auto _ : state) {
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    benchmark::DoNotOptimize(crc);
  }
  SetThroughput(state, data.size());
}

void Rhash(benchmark::State& state) {
  rhash_library_init();
  const ByteString& data = OneMiB();
  unsigned char digest[4];
  for (auto _ : state) {
    if (rhash_msg(RHASH_CRC32, data.data(), data.size(), digest) != 0) {
      state.SkipWithError("rhash_msg failed");
      break;
    }
    benchmark::DoNotOptimize(digest[0]);
  }
  SetThroughput(state, data.size());
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("Checksum1MiB/CRC-32/velunor", Ours<velunor::THash_CRC32>);
  benchmark::RegisterBenchmark("Checksum1MiB/CRC-32/zlib", Zlib);
  benchmark::RegisterBenchmark("Checksum1MiB/CRC-32/rhash", Rhash);
  benchmark::RegisterBenchmark("Checksum1MiB/CRC-16-CCITT/velunor",
                               Ours<velunor::THash_CRC16_CCITT>);
  benchmark::RegisterBenchmark("Checksum1MiB/CRC-16-Standard/velunor",
                               Ours<velunor::THash_CRC16_Standard>);
  benchmark::RegisterBenchmark("Checksum1MiB/XOR-16/velunor", Ours<velunor::THash_XOR16>);
  benchmark::RegisterBenchmark("Checksum1MiB/XOR-32/velunor", Ours<velunor::THash_XOR32>);
  return true;
}();

}  // namespace
