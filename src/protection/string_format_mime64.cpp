#include "protection/string_format_mime64.h"

#include "protection/base64_text_coder.h"

namespace velunor {

const TStringFormat_MIME64& TStringFormat_MIME64::Class() {
  static const TStringFormat_MIME64 cls("TStringFormat_MIME64", &TStringFormat_HEX::Class(),
                                        {sfBase64, {65319, "MIME Base 64"}, "base64"});
  return cls;
}

ByteString TStringFormat_MIME64::ParseText(const char* text, std::int64_t len) const {
  len = ResolveLength(text, len);
  return CodeWhole(text, len, static_cast<std::size_t>(len / 4 * 3 + 3), [this](ByteSink& sink) {
    return std::make_unique<Base64Decoder>(Alphabet(), FormatName(), false, sink);
  });
}

ByteString TStringFormat_MIME64::RenderBytes(const void* data, std::int64_t len) const {
  len = ResolveLength(data, len);
  return CodeWhole(data, len, static_cast<std::size_t>(len + 2) / 3 * 4,
                   [this](ByteSink& sink) { return NewEncoder(sink); });
}

std::string_view TStringFormat_MIME64::Alphabet() const {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
      "="
      " $()[]{},;:-_\\*\"'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

std::unique_ptr<ByteSink> TStringFormat_MIME64::NewEncoder(ByteSink& next) const {
  return std::make_unique<Base64Encoder>(next);
}

std::unique_ptr<ByteSink> TStringFormat_MIME64::NewDecoder(ByteSink& next) const {
  return std::make_unique<Base64Decoder>(Alphabet(), FormatName(), true, next);
}

}  // namespace velunor
