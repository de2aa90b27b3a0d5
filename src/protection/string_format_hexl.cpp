#include "protection/string_format_hexl.h"

namespace velunor {

const TStringFormat_HEXL& TStringFormat_HEXL::Class() {
  static const TStringFormat_HEXL cls("TStringFormat_HEXL", &TStringFormat_HEX::Class(),
                                      {sfHexLower, {65318, "Hexadecimal lowercase"}, "hexl"});
  return cls;
}

std::string_view TStringFormat_HEXL::Alphabet() const {
  static constexpr char kAlphabet[] =
      "0123456789abcdef"
      "X$"
      " ABCDEFhHx()[]{},;:-_/\\*+\"'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

}  // namespace velunor
