#include "runtime/messages.h"

namespace velunor {

std::string MessageArg::Text() const {
  if (const auto* number = std::get_if<std::int32_t>(&value_)) return std::to_string(*number);
  return std::get<std::string>(value_);
}

std::string FormatText(std::string_view pattern, std::initializer_list<MessageArg> args) {
  std::string result;
  result.reserve(pattern.size() + 32);
  const MessageArg* next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      result += c;
      continue;
    }
    const char conversion = pattern[i + 1];
    if (conversion == '%') {
      result += '%';
      ++i;
    } else if ((conversion == 'd' || conversion == 's') && next != args.end()) {
      result += next->Text();
      ++next;
      ++i;
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace velunor
