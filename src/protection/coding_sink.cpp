#include "protection/coding_sink.h"

#include <algorithm>
#include <cstring>

#include "protection/format_registry.h"

namespace velunor {

CodingSink::CodingSink(TProtection& protection, TCodeAction action, ByteSink& next)
    : protection_(protection), action_(action), next_(next) {
  protection_.BeginCoding(action_);
  running_ = true;
}

CodingSink::~CodingSink() {
  if (!running_) return;
  try {
    protection_.EndCoding(action_);
  } catch (...) {
    // the fault that stopped the run is the one being reported
  }
}

void CodingSink::Write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t n = std::min(size, piece_.size() - filled_);
    std::memcpy(piece_.data() + filled_, data, n);
    filled_ += n;
    data += n;
    size -= n;
    if (filled_ == piece_.size()) CodePiece();
  }
}

void CodingSink::CodePiece() {
  protection_.CodeData(std::span(piece_.data(), filled_), action_);
  const std::size_t n = filled_;
  filled_ = 0;
  next_.Write(piece_.data(), n);
}

void CodingSink::Finish() {
  if (filled_ > 0) CodePiece();
  running_ = false;
  protection_.EndCoding(action_);
  next_.Finish();
}

CodingPipeline::CodingPipeline(TProtection& protection, TCodeAction action, std::int32_t format,
                               ByteSink& out) {
  if (action == caDecode) {
    run_ = std::make_unique<CodingSink>(protection, action, out);
    text_ = NewTextDecoder(format, *run_);
    head_ = text_.get();
  } else {
    text_ = NewTextEncoder(format, out);
    run_ = std::make_unique<CodingSink>(protection, action, *text_);
    head_ = run_.get();
  }
}

}  // namespace velunor
