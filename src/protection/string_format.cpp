#include "protection/string_format.h"

#include <cstring>

#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The copy format's coders: the stream passes unchanged.
class PassThrough final : public ByteSink {
 public:
  explicit PassThrough(ByteSink& next) : next_(next) {}
  void Write(const std::uint8_t* data, std::size_t size) override { next_.Write(data, size); }
  void Finish() override { next_.Finish(); }

 private:
  ByteSink& next_;
};

// Coders of a format that has no streaming form: the whole stream is
// collected and converted by the format's class operations at its end.
class WholeTextCoder final : public ByteSink {
 public:
  WholeTextCoder(const TStringFormat& format, bool fromText, ByteSink& next)
      : format_(format), fromText_(fromText), next_(next) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    collected_.append(reinterpret_cast<const char*>(data), size);
  }
  void Finish() override {
    if (!collected_.empty()) {
      const auto len = static_cast<std::int64_t>(collected_.size());
      if (!format_.Accepts(collected_.data(), len, fromText_)) {
        const MessageId refusal =
            fromText_ ? MessageId::kInvalidFormatInput : MessageId::kCannotConvertToFormat;
        throw EStringFormat(FormatMessage(refusal, {format_.FormatName()}));
      }
      next_.WriteString(fromText_ ? format_.ParseText(collected_.data(), len)
                                  : format_.RenderBytes(collected_.data(), len));
    }
    next_.Finish();
  }

 private:
  const TStringFormat& format_;
  bool fromText_;
  ByteSink& next_;
  ByteString collected_;
};

}  // namespace

const TStringFormat& TStringFormat::Class() {
  static const TStringFormat cls("TStringFormat", nullptr);
  return cls;
}

ByteString TStringFormat::ParseText(const char* text, std::int64_t len) const {
  len = ResolveLength(text, len);
  return MakeByteString(text, static_cast<std::size_t>(len));
}

ByteString TStringFormat::RenderBytes(const void* data, std::int64_t len) const {
  len = ResolveLength(data, len);
  return MakeByteString(data, static_cast<std::size_t>(len));
}

std::string TStringFormat::FormatName() const {
  if (this == &Class()) return std::string(LoadMessage(MessageId::kFormatNameCopy));
  return ShortClassName(*this);
}

std::int32_t TStringFormat::FormatNumber() const {
  return sfCopy;
}

bool TStringFormat::Accepts(const void*, std::int64_t, bool) const {
  return true;
}

std::string_view TStringFormat::Alphabet() const {
  return {};
}

std::unique_ptr<ByteSink> TStringFormat::NewEncoder(ByteSink& next) const {
  if (this == &Class()) return std::make_unique<PassThrough>(next);
  return std::make_unique<WholeTextCoder>(*this, false, next);
}

std::unique_ptr<ByteSink> TStringFormat::NewDecoder(ByteSink& next) const {
  if (this == &Class()) return std::make_unique<PassThrough>(next);
  return std::make_unique<WholeTextCoder>(*this, true, next);
}

void RaiseInvalidText(const std::string& formatName) {
  throw EStringFormat(FormatMessage(MessageId::kInvalidFormatInput, {formatName}));
}

std::int64_t ResolveLength(const void* data, std::int64_t len) {
  if (data == nullptr) return 0;
  if (len < 0) return static_cast<std::int64_t>(std::strlen(static_cast<const char*>(data)));
  return len;
}

}  // namespace velunor
