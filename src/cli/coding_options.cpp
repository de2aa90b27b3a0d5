#include "cli/coding_options.h"

#include <array>
#include <charconv>

#include "cipher/cipher_registry.h"
#include "cli/cli_app.h"
#include "cli/format_option.h"
#include "hash/hash_registry.h"
#include "managers/cipher_manager.h"
#include "runtime/codepage1252.h"
#include "runtime/exceptions.h"

namespace velunor::cli {

namespace {

constexpr std::array<const char*, 8> kModeOptionNames = {"cts", "cbc",    "cfb",    "ofb",
                                                         "ecb", "ctsmac", "cbcmac", "cfbmac"};

CLI::Validator MakeValidator(bool (*accepts)(const std::string&), std::string what,
                             std::string description) {
  return CLI::Validator(
      [accepts, what](const std::string& value) {
        return accepts(value) ? std::string() : "unknown " + what + ": " + value;
      },
      std::move(description));
}

std::string HexDigitsOf(char32_t character) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (int shift = character > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
    hex += kDigits[(character >> shift) & 15];
  return hex;
}

}  // namespace

std::optional<TCipherMode> ParseModeOption(const std::string& text) {
  for (std::size_t i = 0; i < kModeOptionNames.size(); ++i) {
    if (text == kModeOptionNames[i] || text == std::string("cm") + kModeOptionNames[i])
      return static_cast<TCipherMode>(i);
  }
  TCipherMode mode;
  if (ParseCipherModeName(text, mode)) return mode;
  int number = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size() && number >= 0 && number <= 7) {
    return static_cast<TCipherMode>(number);
  }
  return std::nullopt;
}

const char* ModeOptionName(TCipherMode mode) {
  return kModeOptionNames[mode & 7];
}

CLI::Validator HashNameValidator() {
  return MakeValidator([](const std::string& v) { return FindHashClass(v) != nullptr; }, "hash",
                       "HASH");
}

CLI::Validator CipherNameValidator() {
  return MakeValidator([](const std::string& v) { return FindCipherClass(v) != nullptr; }, "cipher",
                       "CIPHER");
}

CLI::Validator FormatValidator() {
  return MakeValidator([](const std::string& v) { return ParseFormatOption(v).has_value(); },
                       "text format", "FORMAT");
}

CLI::Validator ModeValidator() {
  return MakeValidator([](const std::string& v) { return ParseModeOption(v).has_value(); }, "mode",
                       "MODE");
}

ByteString ToCodePage1252(const std::string& utf8, const std::string& what) {
  std::u32string unrepresentable;
  const auto bytes = Utf8ToCp1252(utf8, &unrepresentable);
  if (!bytes) throw Exception(what + " is not valid UTF-8 text");
  if (!unrepresentable.empty()) RefuseUnrepresentable(what, unrepresentable);
  return *bytes;
}

void RefuseUnrepresentable(const std::string& what, const std::u32string& characters) {
  std::string list;
  for (const char32_t c : characters) {
    if (!list.empty()) list += ", ";
    list += "\"" + Utf8Of(c) + "\" (U+" + HexDigitsOf(c) + ")";
  }
  throw Exception(what + " holds characters that code page 1252 cannot represent: " + list);
}

TWipedBytes ParseHexOption(const std::string& hex, const std::string& what) {
  if (hex.empty()) throw UsageError(what + " needs at least one byte");
  if (hex.size() % 2 != 0) throw UsageError(what + " needs an even number of hex digits");
  TWipedBytes bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (error != std::errc() || end != hex.data() + i + 2) {
      // Where, not what: the value may be a key.
      const std::size_t bad = end == hex.data() + i ? i : i + 1;
      throw UsageError(what + " is not hexadecimal: character " + std::to_string(bad + 1) +
                       " is no hex digit");
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

}  // namespace velunor::cli
