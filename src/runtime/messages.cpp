#include "runtime/messages.h"

#include <array>
#include <utility>

namespace velunor {

namespace {

constexpr std::array<std::pair<MessageId, std::string_view>, 12> kMessages{{
    {MessageId::kCircularProtection, "Circular Protection detected, Protection Object is invalid."},
    {MessageId::kFormatNotExists, "String Format \"%d\" not exists."},
    {MessageId::kInvalidFormatInput, "Input is not an valid %s Format."},
    {MessageId::kCannotConvertToFormat, "Input can not be convert to %s Format."},
    {MessageId::kFormatNameCopy, "copy Input to Output"},
    {MessageId::kFormatNameHex, "Hexadecimal"},
    {MessageId::kFormatNameHexLower, "Hexadecimal lowercase"},
    {MessageId::kFormatNameMime64, "MIME Base 64"},
    {MessageId::kFormatNameUU, "UU Coding"},
    {MessageId::kFormatNameXX, "XX Coding"},
    {MessageId::kInvalidKeyLength,
     "Length from Encryptionkey is invalid.\r\nKeysize for %s must be to %d-%d bytes"},
    {MessageId::kCipherNotInitialized, "%s is not initialized call Init() or InitKey() before."},
}};

}  // namespace

std::string MessageArg::Text() const {
  if (const auto* number = std::get_if<std::int32_t>(&value_)) return std::to_string(*number);
  return std::get<std::string>(value_);
}

std::string_view LoadMessage(MessageId id) {
  for (const auto& [number, text] : kMessages) {
    if (number == id) return text;
  }
  return {};
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

std::string FormatMessage(MessageId id, std::initializer_list<MessageArg> args) {
  return FormatText(LoadMessage(id), args);
}

}  // namespace velunor
