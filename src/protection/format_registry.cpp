#include "protection/format_registry.h"

#include <algorithm>

#include "protection/framework.h"
#include "protection/protection_errors.h"

namespace velunor {

namespace {

std::vector<const TStringFormat*>& Registry() {
  static std::vector<const TStringFormat*> registry;
  return registry;
}

const TStringFormat* FindRegistered(std::int32_t number) {
  if (number == sfDefault) number = DefaultFormat;
  const auto& registry = Registry();
  const auto found =
      std::find_if(registry.begin(), registry.end(),
                   [number](const TStringFormat* f) { return f->FormatNumber() == number; });
  return found == registry.end() ? nullptr : *found;
}

}  // namespace

void RegisterFormatsAtStartUp(std::initializer_list<const TStringFormat*> classes) {
  auto& registry = Registry();
  for (const TStringFormat* format : classes) {
    if (format == nullptr || format->FormatNumber() == sfDefault) continue;
    const TStringFormat* existing = FindRegistered(format->FormatNumber());
    if (existing != nullptr) {
      *std::find(registry.begin(), registry.end(), existing) = format;
    } else {
      registry.push_back(format);
    }
  }
}

const TStringFormat* FindFormat(std::int32_t number) {
  StartFramework();
  return FindRegistered(number);
}

void RegisterFormats(std::initializer_list<const TStringFormat*> classes) {
  StartFramework();
  RegisterFormatsAtStartUp(classes);
}

std::vector<const TStringFormat*> RegisteredFormats() {
  StartFramework();
  return Registry();
}

namespace {

const TStringFormat& FormatOrRaise(std::int32_t number) {
  const TStringFormat* format = FindFormat(number);
  if (format == nullptr) throw EStringFormat(FormatMessage(kFormatNotExists, {number}));
  return *format;
}

}  // namespace

ByteString BytesToText(const void* data, std::int64_t len, std::int32_t number) {
  if (data == nullptr || number == sfNone) return {};
  len = ResolveLength(data, len);
  if (len == 0) return {};
  const TStringFormat& format = FormatOrRaise(number);
  if (!format.Accepts(data, len, false)) {
    throw EStringFormat(FormatMessage(kCannotConvertToFormat, {format.FormatName()}));
  }
  return format.RenderBytes(data, len);
}

// The format's decoder checks what Accepts checks while it reads.
ByteString TextToBytes(const void* text, std::int64_t len, std::int32_t number) {
  if (text == nullptr || number == sfNone) return {};
  len = ResolveLength(text, len);
  if (len == 0) return {};
  const TStringFormat& format = FormatOrRaise(number);
  return CodeWhole(text, len, static_cast<std::size_t>(len / 4 * 3 + 3),
                   [&format](ByteSink& sink) { return format.NewDecoder(sink); });
}

namespace {

// Finds the format when the first byte arrives, so that empty input meets
// no lookup, as in the whole-string conversions.
class FormatCoder final : public ByteSink {
 public:
  FormatCoder(std::int32_t number, bool fromText, ByteSink& next)
      : number_(number), fromText_(fromText), next_(next) {}

  void Write(const std::uint8_t* data, std::size_t size) override {
    if (size > 0) Coder().Write(data, size);
  }
  void WriteLast(const std::uint8_t* data, std::size_t size) override {
    if (size > 0) {
      Coder().WriteLast(data, size);
    } else {
      Finish();
    }
  }
  void Finish() override {
    if (coder_) {
      coder_->Finish();
    } else {
      next_.Finish();
    }
  }

 private:
  ByteSink& Coder() {
    if (!coder_) {
      const TStringFormat& format = FormatOrRaise(number_);
      coder_ = fromText_ ? format.NewDecoder(next_) : format.NewEncoder(next_);
    }
    return *coder_;
  }

  std::int32_t number_;
  bool fromText_;
  ByteSink& next_;
  std::unique_ptr<ByteSink> coder_;
};

// Format sfNone: nothing is written, the end still reaches the next sink.
class NothingCoder final : public ByteSink {
 public:
  explicit NothingCoder(ByteSink& next) : next_(next) {}
  void Write(const std::uint8_t*, std::size_t) override {}
  void Finish() override { next_.Finish(); }

 private:
  ByteSink& next_;
};

}  // namespace

std::unique_ptr<ByteSink> NewTextEncoder(std::int32_t number, ByteSink& next) {
  if (number == sfNone) return std::make_unique<NothingCoder>(next);
  return std::make_unique<FormatCoder>(number, false, next);
}

std::unique_ptr<ByteSink> NewTextDecoder(std::int32_t number, ByteSink& next) {
  if (number == sfNone) return std::make_unique<NothingCoder>(next);
  return std::make_unique<FormatCoder>(number, true, next);
}

}  // namespace velunor
