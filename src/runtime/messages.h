#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace velunor {

// The numbered message table of the coding library. Texts are filled
// printf-style (%s, %d) when an error is raised.
enum class MessageId : std::int32_t {
  kCircularProtection = 65312,
  kFormatNotExists = 65313,
  kInvalidFormatInput = 65314,
  kCannotConvertToFormat = 65315,
  kFormatNameCopy = 65316,
  kFormatNameHex = 65317,
  kFormatNameHexLower = 65318,
  kFormatNameMime64 = 65319,
  kFormatNameUU = 65320,
  kFormatNameXX = 65321,
  kInvalidKeyLength = 65322,
  kCipherNotInitialized = 65323,
};

// One value for a placeholder: %d takes a number, %s a text.
class MessageArg {
 public:
  MessageArg(std::int32_t number) : value_(number) {}               // NOLINT: implicit by design
  MessageArg(std::string_view text) : value_(std::string(text)) {}  // NOLINT
  MessageArg(const char* text) : value_(std::string(text)) {}       // NOLINT
  MessageArg(const std::string& text) : value_(text) {}             // NOLINT

  std::string Text() const;

 private:
  std::variant<std::int32_t, std::string> value_;
};

// The raw text of a message, with its placeholders.
std::string_view LoadMessage(MessageId id);

// Fills the placeholders of `pattern` in order: %d and %s each take the next
// argument, %% gives a percent sign. Missing arguments leave the placeholder.
std::string FormatText(std::string_view pattern, std::initializer_list<MessageArg> args);

std::string FormatMessage(MessageId id, std::initializer_list<MessageArg> args = {});

}  // namespace velunor
