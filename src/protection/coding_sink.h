#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "protection/byte_sink.h"
#include "protection/protection.h"

namespace velunor {

// One coding run of a protection object over a byte stream, the one piece
// rule of every such run (ProcessStream, ProcessFile, ProcessText and the
// command line): every piece passed to CodeData holds kProcessBufferSize
// (4096) bytes except the last of the run, which holds the rest. The coded bytes go to `next`
// (for caDigest the bytes read, unchanged). Each piece is coded the same
// whether more follow or not, so the run needs no look-ahead and holds at
// most one piece.
//
// BeginCoding runs when the sink is made; Finish codes the last piece, ends
// the run and finishes `next`. A run that does not reach Finish (a fault in
// the coding or in a sink) is ended when the sink is destroyed.
class CodingSink final : public ByteSink {
 public:
  CodingSink(TProtection& protection, TCodeAction action, ByteSink& next);
  ~CodingSink() override;

  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  void CodePiece();

  TProtection& protection_;
  TCodeAction action_;
  ByteSink& next_;
  std::array<std::uint8_t, kProcessBufferSize> piece_{};
  std::size_t filled_ = 0;
  bool running_ = false;
};

// The road of ProcessText on a stream. For caDecode the text goes through
// the decoder of `format` and the bytes read through the run; for every
// other action the bytes go through the run and the coded bytes through the
// encoder of `format`. The output reaches `out` in pieces; for every input
// it equals ProcessText of the whole input (and for an empty input, which
// ProcessText does not code at all, it is empty too).
class CodingPipeline final : public ByteSink {
 public:
  CodingPipeline(TProtection& protection, TCodeAction action, std::int32_t format, ByteSink& out);
  void Write(const std::uint8_t* data, std::size_t size) override { head_->Write(data, size); }
  void Finish() override { head_->Finish(); }

 private:
  std::unique_ptr<ByteSink> text_;
  std::unique_ptr<CodingSink> run_;
  ByteSink* head_;
};

}  // namespace velunor
