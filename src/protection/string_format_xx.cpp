#include "protection/string_format_xx.h"

namespace velunor {

const TStringFormat_XX& TStringFormat_XX::Class() {
  static const TStringFormat_XX cls("TStringFormat_XX", &TStringFormat_UU::Class(),
                                    {sfXX, {65321, "XX Coding"}, "xx"});
  return cls;
}

std::string_view TStringFormat_XX::Alphabet() const {
  static constexpr char kAlphabet[] =
      "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
      " \"()[]'\t\n\r";
  return {kAlphabet, sizeof(kAlphabet) - 1};
}

}  // namespace velunor
