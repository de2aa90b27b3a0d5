#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "cipher/cipher.h"
#include "encrypter/coding_profile.h"
#include "managers/cipher_manager.h"
#include "runtime/byte_string.h"

namespace velunor::encrypter {

// The text as the encrypter codes it.

// The plain text of the input box's lines: every line followed by CR LF,
// the last one too; no lines give the empty text.
ByteString PlainTextOfLines(const std::vector<ByteString>& lines);
// The same for a whole text, broken into lines as a text box breaks it
// (CR LF, a lone CR and a lone LF each end a line; a final break starts no
// empty line).
ByteString PlainTextOfText(std::string_view text);

// Encrypts a plain text with a keyed cipher into a text format (the
// command line's choice), and back. The cipher text is as long as the plain
// text: no header, no padding.
ByteString EncryptPlainText(TCipher& cipher, const ByteString& plain, std::int32_t format);
ByteString DecryptCipherText(TCipher& cipher, const ByteString& cipherText, std::int32_t format);

// "Verschlüsseln": keys the manager's cipher afresh from the keyword's code
// page 1252 bytes, so that no coding depends on an earlier one, and
// encrypts the plain text with the manager's EncodeText (the default text
// format, one line of base 64).
ByteString EncryptWithKeyword(TCipherManager& manager, std::string_view keyword,
                              const ByteString& plain);
// "Entschlüsseln": keys afresh and decrypts the whole text with the
// manager's DecodeText, nothing appended; quote marks at the starts of its lines are skipped
// (quote_marks.h).
ByteString DecryptWithKeyword(TCipherManager& manager, std::string_view keyword,
                              const ByteString& cipherText);

}  // namespace velunor::encrypter
