#include "protection/string_format_hexl.h"

#include "runtime/messages.h"

namespace velunor {

const TStringFormat_HEXL& TStringFormat_HEXL::Class() {
  static const TStringFormat_HEXL cls("TStringFormat_HEXL", &TStringFormat_HEX::Class());
  return cls;
}

std::string TStringFormat_HEXL::FormatName() const {
  return std::string(LoadMessage(MessageId::kFormatNameHexLower));
}

std::int32_t TStringFormat_HEXL::FormatNumber() const {
  return sfHexLower;
}

std::string_view TStringFormat_HEXL::Alphabet() const {
  static constexpr char kAlphabet[] =
      "0123456789abcdef"
      "X$"
      " ABCDEFhHx()[]{},;:-_/\\*+\"'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

}  // namespace velunor
