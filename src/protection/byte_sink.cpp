#include "protection/byte_sink.h"

#include <algorithm>
#include <vector>

#include "runtime/streams.h"

namespace velunor {

namespace {

// Streams count in 32 bits; larger pieces are passed on in parts of this size.
constexpr std::size_t kStreamPiece = std::size_t{1} << 20;

}  // namespace

void StringSink::Write(const std::uint8_t* data, std::size_t size) {
  target_.append(reinterpret_cast<const char*>(data), size);
}

void StreamSink::Write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t part = std::min(size, kStreamPiece);
    stream_.Write(data, static_cast<std::int32_t>(part));
    data += part;
    size -= part;
  }
}

std::uint64_t PumpStream(TStream& source, ByteSink& sink, const PumpProgress& progress) {
  std::vector<std::uint8_t> piece(std::size_t{64} * 1024);
  std::uint64_t done = 0;
  for (;;) {
    const std::int32_t n = source.Read(piece.data(), static_cast<std::int32_t>(piece.size()));
    if (n <= 0) break;
    sink.Write(piece.data(), static_cast<std::size_t>(n));
    done += static_cast<std::uint64_t>(n);
    if (progress) progress(done);
  }
  sink.Finish();
  return done;
}

}  // namespace velunor
