#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protection/byte_string.h"
#include "protection/class_ref.h"

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

// A binary-to-text format. Formats are stateless: each class exists as one
// class reference whose operations are the class-level operations of the
// format, and the format registry holds these references. The root class is
// the copy format, which passes bytes through unchanged.
class TStringFormat : public TClass {
 public:
  static const TStringFormat& Class();

  // Bytes read from len characters of text; only called after Accepts(text, len, true).
  virtual ByteString ParseText(const char* text, std::int32_t len) const;
  // Text written from len bytes.
  virtual ByteString RenderBytes(const void* data, std::int32_t len) const;
  // The display name.
  virtual std::string FormatName() const;
  virtual std::int32_t FormatNumber() const;
  // Whether a conversion may run: before ParseText (fromText) or before RenderBytes.
  virtual bool Accepts(const void* data, std::int32_t len, bool fromText) const;
  // Digits in value order, then the extra characters the format accepts.
  virtual std::string_view Alphabet() const;

 protected:
  using TClass::TClass;
};

// A negative length stands for "up to the first zero byte".
std::int32_t ResolveLength(const void* data, std::int32_t len);

}  // namespace velunor
