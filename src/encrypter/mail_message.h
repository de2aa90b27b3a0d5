#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace velunor::encrypter {

// A mail as mail programs hand it over: a whole message (RFC 5322: header
// fields, a blank line, the body; MIME parts with headers of their own) or
// only its body. Lines end in LF or CR LF.
//
// A text starts with a header when every line up to the first blank line is
// a header field ("Name: value", the name printable ASCII without ":" or
// blank) or the continuation of one (starting with a blank); an mbox
// "From " line may come first. Anything else is a body alone.

// Makes a new text body out of one whose transfer encoding is undone.
using TBodyTransform = std::function<std::string(std::string_view body)>;

// The mail with `transform` applied to each of its text bodies: the body of
// a message or MIME part of type text/plain (or without a type), with its
// transfer encoding (quoted-printable, base64) undone, and the whole text
// when it has no header. The parts of a multipart body are walked through;
// parts of other types, headers and the boundaries stay as they were, except
// that a part whose body came decoded says so: its
// Content-Transfer-Encoding becomes "8bit".
std::string TransformTextBodies(std::string_view mail, const TBodyTransform& transform);

// The text bodies of the mail, decoded and one after the other.
std::string TextBodies(std::string_view mail);

// Quoted-printable text (RFC 2045) decoded: "=XX" becomes the byte XX, a
// "=" at a line's end (a soft line break) joins the line with the next; a
// "=" followed by anything else stays.
std::string DecodeQuotedPrintable(std::string_view text);

}  // namespace velunor::encrypter
