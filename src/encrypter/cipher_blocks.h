#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velunor::encrypter {

// Cipher texts within a mail's text. A cipher text has no header and no
// marker: it is base 64, on one line or broken into lines, maybe quoted
// ("> ") or indented. A cipher block is a run of consecutive lines that,
// without the quote marks and blanks at their start and the blanks at their
// end, hold nothing but base 64 characters, all at the same quote depth.
// So that words alone on their lines ("Hochachtungsvoll") are not taken
// for one, every line of a block has something a word does not have (a
// digit, "+", "/", "=", or a capital letter right after a small one),
// except the last, shorter line of a block whose lines are all of one
// length (a wrapped cipher text); and a block has at least 8 characters,
// a letter among them.
struct TCipherBlock {
  std::size_t begin = 0;  // where the block's first line starts
  std::size_t end = 0;    // where its last line's characters end (before the line break)
  std::string prefix;     // what stands before the base 64 on the first line
  std::string lineBreak;  // the line break after the block's lines ("\n" where it has none)
  // The base 64 characters of all lines. Quoted-printable soft line breaks
  // ("=" at the end of a line but the last) and "=3D" are undone: base 64
  // has "=" only at its end.
  std::string cipherText;
};

std::vector<TCipherBlock> FindCipherBlocks(std::string_view text);

// The plain text that takes a block's place: its lines (CR LF, CR or LF
// each end one; a final break starts no further line) each behind the
// block's prefix (without its trailing blanks where the line is empty),
// separated by the block's line break.
std::string InBlockShape(std::string_view plainText, const TCipherBlock& block);

}  // namespace velunor::encrypter
