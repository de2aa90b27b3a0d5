#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "protection/byte_sink.h"
#include "runtime/byte_string.h"
#include "runtime/class_ref.h"
#include "runtime/messages.h"

namespace velunor {

// Format numbers of the binary-to-text formats.
inline constexpr std::int32_t sfNone = 0;
inline constexpr std::int32_t sfDefault = -1;
inline constexpr std::int32_t sfCopy = 1;
inline constexpr std::int32_t sfHex = 16;
inline constexpr std::int32_t sfHexLower = 1016;
inline constexpr std::int32_t sfBase64 = 4196;
inline constexpr std::int32_t sfUU = 21845;
inline constexpr std::int32_t sfXX = 22616;

// What names a format: its number, its display name (a message of the
// library's numbered table) and the short name the command line takes.
struct TFormatIdentity {
  std::int32_t number;
  TMessage displayName;
  std::string_view optionName;
};

// A binary-to-text format. Formats are stateless: each class exists as one
// class reference whose operations are the class-level operations of the
// format, and the format registry holds these references. A class reference
// carries the format's identity and its coders, so that registering it
// (framework.cpp) is all the rest of the library needs to know of a format.
// The root class is the copy format, which passes bytes through unchanged.
//
// Lengths count in 64 bits; a negative length means "up to the first zero byte".
class TStringFormat : public TClass {
 public:
  static const TStringFormat& Class();

  // Bytes read from len characters of text; only called after Accepts(text, len, true).
  virtual ByteString ParseText(const char* text, std::int64_t len) const;
  // Text written from len bytes.
  virtual ByteString RenderBytes(const void* data, std::int64_t len) const;
  // The display name: that of the class's identity, else that of the
  // nearest parent with one; a class below the copy format without an
  // identity of its own is named by its class name.
  virtual std::string FormatName() const;
  // The number of the class's identity, else that of the nearest parent with one.
  virtual std::int32_t FormatNumber() const;
  // The command line's name of the format; empty for a class without an identity.
  [[nodiscard]] std::string_view OptionName() const;
  // Whether a conversion may run: before ParseText (fromText) or before RenderBytes.
  virtual bool Accepts(const void* data, std::int64_t len, bool fromText) const;
  // Digits in value order, then the extra characters the format accepts.
  virtual std::string_view Alphabet() const;

  // Streaming forms of the two conversions. The encoder takes bytes in
  // pieces of any size and writes to `next` what RenderBytes gives for all of
  // them; the decoder takes text in pieces and writes what Accepts followed by
  // ParseText give, raising the same EStringFormat where Accepts or ParseText
  // refuse the text (output passed on before the fault stays with `next`).
  // The formats of the library stream in constant memory; for any other
  // subclass the coders collect the whole stream and call the operations
  // above, so a class that overrides those should override these as well.
  virtual std::unique_ptr<ByteSink> NewEncoder(ByteSink& next) const;
  virtual std::unique_ptr<ByteSink> NewDecoder(ByteSink& next) const;

 protected:
  // A format class with an identity of its own.
  TStringFormat(std::string_view className, const TClass* parent, const TFormatIdentity& identity)
      : TClass(className, parent), identity_(identity) {}
  // A format class that goes by its parent's identity.
  TStringFormat(std::string_view className, const TClass* parent) : TClass(className, parent) {}

 private:
  // The class itself or its nearest parent with an identity.
  const TStringFormat& IdentifiedClass() const;

  std::optional<TFormatIdentity> identity_;
};

// Raises EStringFormat "Input is not an valid <name> Format.".
[[noreturn]] void RaiseInvalidText(const std::string& formatName);

// A negative length stands for "up to the first zero byte".
std::int64_t ResolveLength(const void* data, std::int64_t len);

// The whole output of a streaming coder over one piece of input: `make`
// creates the coder in front of the sink it is given.
template <class MakeCoder>
ByteString CodeWhole(const void* data, std::int64_t len, std::size_t reserve, MakeCoder make) {
  ByteString result;
  result.reserve(reserve);
  StringSink sink(result);
  const std::unique_ptr<ByteSink> coder = make(sink);
  coder->WriteLast(static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(len));
  return result;
}

}  // namespace velunor
