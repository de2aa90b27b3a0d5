#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "runtime/byte_string.h"

namespace velunor {

class TStream;

// The receiving end of a byte stream. The streaming coders of the library
// take their input through Write in pieces of any size and pass their output
// on to the sink behind them; Finish marks the end of the stream, writes out
// what a coder still holds and finishes the sink behind it.
class ByteSink {
 public:
  ByteSink() = default;
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;
  virtual ~ByteSink() = default;

  virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
  virtual void Finish() {}
  // The last piece of the stream, then its end: coders that hold output
  // back for what may follow can pass it on at once.
  virtual void WriteLast(const std::uint8_t* data, std::size_t size) {
    Write(data, size);
    Finish();
  }

  void WriteString(std::string_view bytes) { Write(BytesOf(bytes), bytes.size()); }
};

// Appends the stream to a byte string.
class StringSink final : public ByteSink {
 public:
  explicit StringSink(ByteString& target) : target_(target) {}
  void Write(const std::uint8_t* data, std::size_t size) override;

 private:
  ByteString& target_;
};

// Drops the stream (the output of format sfNone, or a run whose result is
// not wanted).
class DiscardingSink final : public ByteSink {
 public:
  void Write(const std::uint8_t*, std::size_t) override {}
};

// Writes the stream to a TStream at its position.
class StreamSink final : public ByteSink {
 public:
  explicit StreamSink(TStream& stream) : stream_(stream) {}
  void Write(const std::uint8_t* data, std::size_t size) override;

 private:
  TStream& stream_;
};

// Bytes read so far, reported after every piece.
using PumpProgress = std::function<void(std::uint64_t done)>;

// Reads `source` from its position to its end in pieces into `sink`, then
// finishes the sink. Returns the number of bytes read.
std::uint64_t PumpStream(TStream& source, ByteSink& sink, const PumpProgress& progress = {});

}  // namespace velunor
