#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"

namespace velunor::encrypter {

// Decrypts the cipher texts of a mail in place: a whole message or a body,
// with its transfer encoding undone (mail_message.h), each cipher block
// (cipher_blocks.h) replaced by its plain text in the block's quote marks,
// everything around it kept as it was.

// Decrypts one cipher text (base 64) into code page 1252 bytes.
using TBlockDecryption = std::function<ByteString(const std::string& cipherText)>;

struct TMailDecryption {
  std::string text;  // the mail with the plain texts in UTF-8
  std::size_t blocks = 0;
  // Blocks that were cut short (not whole groups of base 64) or whose plain
  // text does not look like text (text_check.h): a wrong keyword or damage.
  std::size_t doubtful = 0;
};

TMailDecryption DecryptMail(std::string_view mail, const TBlockDecryption& decrypt);

}  // namespace velunor::encrypter
