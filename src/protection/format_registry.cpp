#include "protection/format_registry.h"

#include <algorithm>

#include "protection/exceptions.h"
#include "protection/framework.h"
#include "protection/messages.h"

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
  if (format == nullptr) throw EStringFormat(FormatMessage(MessageId::kFormatNotExists, {number}));
  return *format;
}

}  // namespace

ByteString BytesToText(const void* data, std::int32_t len, std::int32_t number) {
  if (data == nullptr || number == sfNone) return {};
  len = ResolveLength(data, len);
  if (len == 0) return {};
  const TStringFormat& format = FormatOrRaise(number);
  if (!format.Accepts(data, len, false)) {
    throw EStringFormat(FormatMessage(MessageId::kCannotConvertToFormat, {format.FormatName()}));
  }
  return format.RenderBytes(data, len);
}

ByteString TextToBytes(const void* text, std::int32_t len, std::int32_t number) {
  if (text == nullptr || number == sfNone) return {};
  len = ResolveLength(text, len);
  if (len == 0) return {};
  const TStringFormat& format = FormatOrRaise(number);
  if (!format.Accepts(text, len, true)) {
    throw EStringFormat(FormatMessage(MessageId::kInvalidFormatInput, {format.FormatName()}));
  }
  return format.ParseText(static_cast<const char*>(text), len);
}

}  // namespace velunor
