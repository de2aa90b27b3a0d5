#include "protection/string_format.h"

#include <cstring>

#include "protection/protection_errors.h"
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
        const TMessage& refusal = fromText_ ? kInvalidFormatInput : kCannotConvertToFormat;
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
  static const TStringFormat cls("TStringFormat", nullptr,
                                 {sfCopy, {65316, "copy Input to Output"}, "copy"});
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

const TStringFormat& TStringFormat::IdentifiedClass() const {
  const TClass* cls = this;
  while (cls != nullptr) {
    const auto* format = dynamic_cast<const TStringFormat*>(cls);
    if (format != nullptr && format->identity_) return *format;
    cls = cls->ClassParent();
  }
  return Class();
}

std::string TStringFormat::FormatName() const {
  const TStringFormat& identified = IdentifiedClass();
  if (&identified == &Class() && this != &Class()) return ShortClassName(*this);
  return std::string(identified.identity_->displayName.text);
}

std::int32_t TStringFormat::FormatNumber() const {
  return IdentifiedClass().identity_->number;
}

std::string_view TStringFormat::OptionName() const {
  return identity_ ? identity_->optionName : std::string_view();
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
  throw EStringFormat(FormatMessage(kInvalidFormatInput, {formatName}));
}

std::int64_t ResolveLength(const void* data, std::int64_t len) {
  if (data == nullptr) return 0;
  if (len < 0) return static_cast<std::int64_t>(std::strlen(static_cast<const char*>(data)));
  return len;
}

}  // namespace velunor
