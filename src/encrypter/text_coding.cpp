#include "encrypter/text_coding.h"

#include "encrypter/quote_marks.h"
#include "runtime/text_lines.h"

namespace velunor::encrypter {

ByteString PlainTextOfLines(const std::vector<ByteString>& lines) {
  return JoinLinesWithCrLf(lines);
}

ByteString PlainTextOfText(std::string_view text) {
  return JoinLinesWithCrLf(SplitParagraphs(text));
}

ByteString EncryptPlainText(TCipher& cipher, const ByteString& plain, std::int32_t format) {
  return cipher.ProcessText(plain, caEncode, format);
}

ByteString DecryptCipherText(TCipher& cipher, const ByteString& cipherText, std::int32_t format) {
  return cipher.ProcessText(cipherText, caDecode, format);
}

ByteString EncryptWithKeyword(TCipherManager& manager, std::string_view keyword,
                              const ByteString& plain) {
  manager.InitKey(keyword);
  return manager.EncodeText(plain);
}

ByteString DecryptWithKeyword(TCipherManager& manager, std::string_view keyword,
                              const ByteString& cipherText) {
  manager.InitKey(keyword);
  return manager.DecodeText(WithoutQuoteMarks(cipherText));
}

}  // namespace velunor::encrypter
