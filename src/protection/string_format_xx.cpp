#include "protection/string_format_xx.h"

#include "runtime/messages.h"

namespace velunor {

const TStringFormat_XX& TStringFormat_XX::Class() {
  static const TStringFormat_XX cls("TStringFormat_XX", &TStringFormat_UU::Class());
  return cls;
}

std::string TStringFormat_XX::FormatName() const {
  return std::string(LoadMessage(MessageId::kFormatNameXX));
}

std::int32_t TStringFormat_XX::FormatNumber() const {
  return sfXX;
}

std::string_view TStringFormat_XX::Alphabet() const {
  static constexpr char kAlphabet[] =
      "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
      " \"()[]'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

}  // namespace velunor
