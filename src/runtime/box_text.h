#pragma once

#include <string>
#include <string_view>

#include "runtime/byte_string.h"

namespace velunor {

// The text of a multi-line text box as the windows exchange it with the
// coding, the same in every front end: the box holds Unicode paragraphs,
// the coding code page 1252 bytes with CR LF between the paragraphs.

// The box's content (UTF-16; CR LF, a lone CR, a lone LF, U+2028 and U+2029
// each end a paragraph) as its whole text: code page 1252 with every break
// written CR LF. Characters the code page lacks read as "?": a caller that
// must not lose them asks CharactersOutsideCp1252 first.
ByteString BoxTextOfContent(std::u16string_view content);

// The content a box shows for `bytes` set as its whole text: the bytes up to
// the first zero byte, each break (CR LF, a lone CR, a lone LF) written as
// `paragraphBreak`, the box's own (LF, or CR in a rich edit control).
std::u16string BoxContentOfText(std::string_view bytes, char16_t paragraphBreak);

// The characters of `content` that code page 1252 lacks, each once, in the
// order they appear. A lone surrogate counts as U+FFFD.
std::u32string CharactersOutsideCp1252(std::u16string_view content);

}  // namespace velunor
