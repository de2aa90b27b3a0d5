#include "protection/protection.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "files/file_replacement.h"
#include "protection/byte_sink.h"
#include "protection/coding_sink.h"
#include "protection/format_registry.h"
#include "protection/protection_errors.h"
#include "runtime/support.h"
#include "runtime/system_file.h"

namespace velunor {

void TProtection::ReportProgress(std::int32_t current, std::int32_t maximal) {
  if (OnProgress) OnProgress(this, current, maximal);
}

const TClass& TProtection::Class() {
  static const TClass cls("TProtection", nullptr);
  return cls;
}

TProtection::TProtection(TProtection* protection) {
  SetProtection(protection);
  ActionSet = kAllActions;
}

TProtection::~TProtection() {
  SetProtection(nullptr);
}

void TProtection::SetProtection(TProtection* value) {
  if (value == protection_) return;
  for (const TProtection* link = value; link != nullptr; link = link->protection_) {
    if (link == this) throw EProtection(FormatMessage(kCircularProtection));
  }
  // The new object is acquired before the old one is released: when `value`
  // lies further down the old chain and is held only by it, releasing the old
  // object first would delete `value` before it is stored.
  AcquireProtection(value);
  TProtection* old = protection_;
  protection_ = value;
  ReleaseProtection(old);
}

std::int32_t AcquireProtection(TProtection* obj) {
  if (obj == nullptr) return 0;
  return obj->refCount_.fetch_add(1) + 1;
}

std::int32_t ReleaseProtection(TProtection* obj) {
  if (obj == nullptr) return 0;
  const std::int32_t count = obj->refCount_.fetch_sub(1) - 1;
  if (count == 0) delete obj;
  return count;
}

void TProtection::BeginCoding(TCodeAction action) {
  BeginRun(action);
  if (protection_ != nullptr) protection_->BeginCoding(action);
}

void TProtection::EndCoding(TCodeAction action) {
  if (protection_ != nullptr) protection_->EndCoding(action);
  EndRun(action);
}

// The chained object is the inner layer: it sees the data before this
// object codes it, and after this object has undone its coding.
void TProtection::CodeData(std::span<std::uint8_t> data, TCodeAction action) {
  if (action != caDecode && protection_ != nullptr) protection_->CodeData(data, action);
  if (InActionSet(ActionSet, action)) CodeRun(data, action);
  if (action == caDecode && protection_ != nullptr) protection_->CodeData(data, action);
}

namespace {

std::span<std::uint8_t> BytesAt(void* data, std::int32_t size) {
  if (data == nullptr || size <= 0) return {};
  return {static_cast<std::uint8_t*>(data), static_cast<std::size_t>(size)};
}

}  // namespace

void TProtection::CodeData(void* data, std::int32_t size, TCodeAction action) {
  CodeData(BytesAt(data, size), action);
}

void TProtection::ProcessMemory(std::span<std::uint8_t> data, TCodeAction action) {
  BeginCoding(action);
  try {
    CodeData(data, action);
  } catch (...) {
    EndCoding(action);
    throw;
  }
  EndCoding(action);
}

std::int32_t TProtection::ProcessMemory(void* data, std::int32_t size, TCodeAction action) {
  ProcessMemory(BytesAt(data, size), action);
  return size;
}

namespace {

std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Writes to a stream at a position of its own, which starts at the
// stream's position: the writing half of a run in place, whose reading half
// moves the same stream.
class PlacedStreamSink final : public ByteSink {
 public:
  explicit PlacedStreamSink(TStream& stream) : stream_(stream), position_(stream.Position()) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    stream_.SetPosition(position_);
    StreamSink(stream_).Write(data, size);
    position_ = stream_.Position();
  }

 private:
  TStream& stream_;
  std::int64_t position_;
};

}  // namespace

void TProtection::RunOverStream(TStream& source, std::int64_t size, TCodeAction action,
                                ByteSink& out, bool inPlace) {
  CodingSink run(*this, action, out);
  const std::int64_t total = size;
  ReportProgress(0, ClampToInt32(total));
  try {
    std::array<std::uint8_t, kProcessBufferSize> buffer{};
    std::int64_t readPosition = source.Position();
    while (size > 0) {
      const auto wanted =
          static_cast<std::int32_t>(std::min<std::int64_t>(size, kProcessBufferSize));
      if (inPlace) source.SetPosition(readPosition);
      const std::int32_t n = source.Read(buffer.data(), wanted);
      if (inPlace) readPosition = source.Position();
      if (n <= 0) break;
      run.Write(buffer.data(), static_cast<std::size_t>(n));
      size -= n;
      ReportProgress(ClampToInt32(total - size), ClampToInt32(total));
    }
    run.Finish();
  } catch (...) {
    ReportProgress(0, 0);
    throw;
  }
  ReportProgress(0, 0);
}

void TProtection::ProcessStream(TStream* source, TStream* dest, std::int64_t dataSize,
                                TCodeAction action) {
  if (source == nullptr) return;
  if (dest == nullptr) dest = source;
  if (dataSize < 0) {
    dataSize = source->Size();
    source->SetPosition(0);
  }
  if (action == caDigest) {
    DiscardingSink nothing;
    RunOverStream(*source, dataSize, action, nothing, false);
  } else {
    PlacedStreamSink out(*dest);
    RunOverStream(*source, dataSize, action, out, dest == source);
  }
}

namespace {

bool IsBlank(const std::string& name) {
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// Whether two names designate the same file: the same text, or the same file
// of the file system (this also covers case-insensitive file systems).
bool SameFile(const std::string& a, const std::string& b) {
  return a == b || system_file::SameFile(a, b);
}

// The new content of the file `name`, in pieces, put in place by Commit
// (TFileReplacement). A failure is raised as the streams' errors: the file
// cannot be created (EFCreateError) or written (EWriteError).
class ReplacementSink final : public ByteSink {
 public:
  explicit ReplacementSink(const std::string& name) : name_(name), file_(Open(name)) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    Translated([&] { file_.Write(data, size); });
  }
  void Commit() {
    Translated([&] { file_.Commit(); });
  }

 private:
  static TFileReplacement Open(const std::string& name) {
    try {
      return TFileReplacement(name);
    } catch (const EFileReplacement& e) {
      throw EFCreateError(name, e.Error());
    }
  }
  template <class Step>
  void Translated(const Step& step) {
    try {
      step();
    } catch (const EFileReplacement& e) {
      if (e.Step() == TReplacementStep::kWrite) throw EWriteError();
      throw EFCreateError(name_, e.Error());
    }
  }

  std::string name_;
  TFileReplacement file_;
};

}  // namespace

void TProtection::ProcessFile(const std::string& sourceName, const std::string& destName,
                              TCodeAction action) {
  auto source = std::make_unique<TFileStream>(sourceName, TFileStream::Mode::kOpenRead);
  if (action == caDigest) {
    // Nothing is written, so reading is all a digest needs.
    DiscardingSink nothing;
    RunOverStream(*source, source->Size(), action, nothing, false);
    return;
  }
  const bool inPlace = SameFile(sourceName, destName) || IsBlank(destName);
  ReplacementSink dest(inPlace ? sourceName : destName);
  RunOverStream(*source, source->Size(), action, dest, false);
  // Closed first: a file that is open cannot be replaced everywhere.
  source.reset();
  dest.Commit();
}

ByteString TProtection::ProcessText(const ByteString& text, TCodeAction action,
                                    std::int32_t format) {
  if (text.empty()) return {};
  // A text the format refuses stops before the run starts.
  const ByteString data = action == caDecode ? TextToBytes(text, format) : ByteString();
  const ByteString& input = action == caDecode ? data : text;
  ByteString coded;
  coded.reserve(input.size());
  StringSink sink(coded);
  CodingSink run(*this, action, sink);
  run.Write(BytesOf(input), input.size());
  run.Finish();
  if (action == caDecode) return coded;
  return BytesToText(coded, format);
}

}  // namespace velunor
