#include "protection/string_format_uu.h"

#include "protection/uu_text_coder.h"

namespace velunor {

namespace {

constexpr std::int64_t kLineBytes = 45;
constexpr std::size_t kDigitCount = 64;

}  // namespace

const TStringFormat_UU& TStringFormat_UU::Class() {
  static const TStringFormat_UU cls("TStringFormat_UU", &TStringFormat::Class(),
                                    {sfUU, {65320, "UU Coding"}, "uu"});
  return cls;
}

ByteString TStringFormat_UU::ParseText(const char* text, std::int64_t len) const {
  len = ResolveLength(text, len);
  return CodeWhole(text, len, static_cast<std::size_t>(len), [this](ByteSink& sink) {
    return std::make_unique<UUDecoder>(Alphabet(), FormatName(), false, sink);
  });
}

ByteString TStringFormat_UU::RenderBytes(const void* data, std::int64_t len) const {
  len = ResolveLength(data, len);
  const auto count = static_cast<std::size_t>(len);
  return CodeWhole(data, len, count / 3 * 4 + count / 45 + 10,
                   [this](ByteSink& sink) { return NewEncoder(sink); });
}

bool TStringFormat_UU::Accepts(const void* data, std::int64_t len, bool fromText) const {
  if (!fromText) return true;
  len = ResolveLength(data, len);
  const auto* text = static_cast<const char*>(data);
  const std::string_view alphabet = Alphabet();
  std::int64_t expected = 0;
  for (std::int64_t i = 0; i < len; ++i) {
    const auto position = alphabet.find(text[i]);
    if (position == std::string_view::npos) return false;
    if (expected == 0) {
      if (position > static_cast<std::size_t>(kLineBytes)) return false;
      expected = (4 * static_cast<std::int64_t>(position) + 2) / 3;
    } else if (position < kDigitCount) {
      --expected;
    }
  }
  return expected == 0;
}

std::string_view TStringFormat_UU::Alphabet() const {
  static constexpr char kAlphabet[] =
      "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
      " \t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

std::unique_ptr<ByteSink> TStringFormat_UU::NewEncoder(ByteSink& next) const {
  return std::make_unique<UUEncoder>(Alphabet().substr(0, kDigitCount), next);
}

std::unique_ptr<ByteSink> TStringFormat_UU::NewDecoder(ByteSink& next) const {
  return std::make_unique<UUDecoder>(Alphabet(), FormatName(), true, next);
}

}  // namespace velunor
