#include "encrypter/mail_message.h"

#include <optional>

#include "protection/format_registry.h"
#include "protection/string_format.h"
#include "runtime/exceptions.h"

namespace velunor::encrypter {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// One line of a text: its characters and, after them, its line break.
struct TLine {
  std::string_view text;
  std::size_t next;  // where the following line starts
};

TLine LineAt(std::string_view text, std::size_t position) {
  const std::size_t lf = text.find('\n', position);
  const std::size_t end = lf == kNone ? text.size() : lf;
  std::string_view line = text.substr(position, end - position);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return {line, lf == kNone ? text.size() : lf + 1};
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    c = LowerAscii(c);
  return lower;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == Lower(prefix);
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

bool IsFieldLine(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == 0 || colon == kNone) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c <= 32 || c >= 127) return false;
  }
  return true;
}

bool IsContinuation(std::string_view line) {
  return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

// The length of the header at the start of an entity, its blank line
// included; none when the entity does not start with one. A MIME part may
// have an empty header (a blank line alone); a message may not, and may
// start with an mbox "From " line.
std::optional<std::size_t> HeaderLength(std::string_view entity, bool isPart) {
  bool first = true;
  for (std::size_t position = 0; position < entity.size();) {
    const TLine line = LineAt(entity, position);
    if (line.text.empty()) {
      if (first && !isPart) return std::nullopt;
      return line.next;
    }
    const bool fits = first ? IsFieldLine(line.text) || (!isPart && line.text.starts_with("From "))
                            : IsFieldLine(line.text) || IsContinuation(line.text);
    if (!fits) return std::nullopt;
    first = false;
    position = line.next;
  }
  return std::nullopt;
}

// A header field's value, its continuation lines joined; none when absent.
struct TField {
  std::size_t begin = 0, end = 0;  // the field's lines in the header, breaks included
  std::string value;
};

std::optional<TField> FindField(std::string_view header, std::string_view name) {
  for (std::size_t position = 0; position < header.size();) {
    const TLine line = LineAt(header, position);
    if (IsFieldLine(line.text) && line.text.find(':') == name.size() &&
        StartsWithNoCase(line.text, name)) {
      TField field{position, line.next, std::string(line.text.substr(name.size() + 1))};
      while (field.end < header.size() && IsContinuation(LineAt(header, field.end).text)) {
        const TLine continuation = LineAt(header, field.end);
        field.value += continuation.text;
        field.end = continuation.next;
      }
      return field;
    }
    position = line.next;
  }
  return std::nullopt;
}

std::string FieldValue(std::string_view header, std::string_view name) {
  const auto field = FindField(header, name);
  return field ? Lower(Trimmed(field->value)) : std::string();
}

// A parameter of a Content-Type value ("boundary"), without its quotes.
std::string Parameter(std::string_view header, std::string_view name) {
  const auto field = FindField(header, "Content-Type");
  if (!field) return {};
  const std::string lower = Lower(field->value);
  const std::string key = std::string(name) + "=";
  for (std::size_t at = lower.find(key); at != kNone; at = lower.find(key, at + 1)) {
    if (at > 0 && lower[at - 1] != ';' && lower[at - 1] != ' ' && lower[at - 1] != '\t') continue;
    std::string_view value = std::string_view(field->value).substr(at + key.size());
    if (!value.empty() && value.front() == '"') {
      value.remove_prefix(1);
      return std::string(value.substr(0, value.find('"')));
    }
    return std::string(Trimmed(value.substr(0, value.find(';'))));
  }
  return {};
}

std::string MediaType(std::string_view header) {
  const std::string type = FieldValue(header, "Content-Type");
  return type.empty() ? "text/plain" : std::string(Trimmed(type.substr(0, type.find(';'))));
}

// The header with its Content-Transfer-Encoding saying "8bit", in the
// header's own line break.
std::string DeclaredDecoded(std::string_view header) {
  const auto field = FindField(header, "Content-Transfer-Encoding");
  if (!field) return std::string(header);
  const std::string_view lineBreak =
      header.substr(field->begin, field->end - field->begin).ends_with("\r\n") ? "\r\n" : "\n";
  return std::string(header.substr(0, field->begin)) + "Content-Transfer-Encoding: 8bit" +
         std::string(lineBreak) + std::string(header.substr(field->end));
}

// The body with its transfer encoding undone; none when it has none, or
// when its base64 is damaged (it then stays as it is).
std::optional<std::string> DecodedBody(std::string_view header, std::string_view body) {
  const std::string encoding = FieldValue(header, "Content-Transfer-Encoding");
  if (encoding == "quoted-printable") return DecodeQuotedPrintable(body);
  if (encoding != "base64") return std::nullopt;
  try {
    return TextToBytes(body, sfBase64);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

void TransformEntity(std::string_view entity, bool isPart, const TBodyTransform& transform,
                     std::string& out);

// The parts between the boundary lines ("--BOUNDARY", the last
// "--BOUNDARY--"); the text before the first and after the last stays.
void TransformMultipart(std::string_view body, const std::string& boundary,
                        const TBodyTransform& transform, std::string& out) {
  const std::string delimiter = "--" + boundary;
  std::size_t partStart = kNone;
  for (std::size_t position = 0; position < body.size();) {
    const TLine line = LineAt(body, position);
    const std::string_view text = Trimmed(line.text);
    const bool last = text == delimiter + "--";
    if (text == delimiter || last) {
      if (partStart != kNone)
        TransformEntity(body.substr(partStart, position - partStart), true, transform, out);
      out += body.substr(position, line.next - position);
      partStart = line.next;
      if (last) {
        out += body.substr(line.next);
        return;
      }
    } else if (partStart == kNone) {
      out += body.substr(position, line.next - position);
    }
    position = line.next;
  }
  if (partStart != kNone) TransformEntity(body.substr(partStart), true, transform, out);
}

void TransformEntity(std::string_view entity, bool isPart, const TBodyTransform& transform,
                     std::string& out) {
  const auto headerLength = HeaderLength(entity, isPart);
  if (!headerLength) {
    out += isPart ? std::string(entity) : transform(entity);
    return;
  }
  const std::string_view header = entity.substr(0, *headerLength);
  const std::string_view body = entity.substr(*headerLength);
  const std::string type = MediaType(header);
  const std::string boundary = Parameter(header, "boundary");
  if (type.starts_with("multipart/") && !boundary.empty()) {
    out += header;
    TransformMultipart(body, boundary, transform, out);
  } else if (type == "text/plain") {
    if (const auto decoded = DecodedBody(header, body)) {
      out += DeclaredDecoded(header);
      out += transform(*decoded);
    } else {
      out += header;
      out += transform(body);
    }
  } else {
    out += entity;
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string TransformTextBodies(std::string_view mail, const TBodyTransform& transform) {
  std::string out;
  out.reserve(mail.size());
  TransformEntity(mail, false, transform, out);
  return out;
}

std::string TextBodies(std::string_view mail) {
  std::string bodies;
  TransformTextBodies(mail, [&bodies](std::string_view body) {
    bodies += body;
    return std::string(body);
  });
  return bodies;
}

std::string DecodeQuotedPrintable(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '=') {
      decoded += text[i];
      continue;
    }
    // A soft line break: "=", maybe blanks a sender left, the line's end.
    std::size_t after = i + 1;
    while (after < text.size() && (text[after] == ' ' || text[after] == '\t'))
      ++after;
    if (after < text.size() && (text[after] == '\n' || text[after] == '\r')) {
      i = text[after] == '\r' && after + 1 < text.size() && text[after + 1] == '\n' ? after + 1
                                                                                    : after;
      continue;
    }
    const int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
    if (high < 0 || low < 0) {
      decoded += '=';
      continue;
    }
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return decoded;
}

}  // namespace velunor::encrypter
