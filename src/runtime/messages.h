#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace velunor {

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

// Fills the placeholders of `pattern` in order: %d and %s each take the next
// argument, %% gives a percent sign. Missing arguments leave the placeholder.
[[nodiscard]] std::string FormatText(std::string_view pattern,
                                     std::initializer_list<MessageArg> args);

// One message of the library's numbered message table. Each layer keeps the
// messages it raises beside its exceptions; the numbers stay those of the
// one table that the library's errors have always been numbered in.
struct TMessage {
  std::int32_t number;
  std::string_view text;  // with placeholders, filled by FormatMessage
};

[[nodiscard]] inline std::string FormatMessage(const TMessage& message,
                                               std::initializer_list<MessageArg> args = {}) {
  return FormatText(message.text, args);
}

}  // namespace velunor
