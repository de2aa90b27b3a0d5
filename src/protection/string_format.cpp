#include "protection/string_format.h"

#include <cstring>

#include "protection/messages.h"
#include "protection/support.h"

namespace velunor {

const TStringFormat& TStringFormat::Class() {
  static const TStringFormat cls("TStringFormat", nullptr);
  return cls;
}

ByteString TStringFormat::ParseText(const char* text, std::int32_t len) const {
  len = ResolveLength(text, len);
  return MakeByteString(text, static_cast<std::size_t>(len));
}

ByteString TStringFormat::RenderBytes(const void* data, std::int32_t len) const {
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

bool TStringFormat::Accepts(const void*, std::int32_t, bool) const {
  return true;
}

std::string_view TStringFormat::Alphabet() const {
  return {};
}

std::int32_t ResolveLength(const void* data, std::int32_t len) {
  if (data == nullptr) return 0;
  if (len < 0) return static_cast<std::int32_t>(std::strlen(static_cast<const char*>(data)));
  return len;
}

}  // namespace velunor
