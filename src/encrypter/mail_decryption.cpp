#include "encrypter/mail_decryption.h"

#include "encrypter/cipher_blocks.h"
#include "encrypter/cipher_text_lines.h"
#include "encrypter/mail_message.h"
#include "encrypter/text_check.h"
#include "runtime/codepage1252.h"

namespace velunor::encrypter {

TMailDecryption DecryptMail(std::string_view mail, const TBlockDecryption& decrypt) {
  TMailDecryption result;
  result.text = TransformTextBodies(mail, [&](std::string_view body) {
    std::string replaced;
    std::size_t kept = 0;
    for (const TCipherBlock& block : FindCipherBlocks(body)) {
      const ByteString plain = decrypt(block.cipherText);
      ++result.blocks;
      if (!IsWholeBase64(block.cipherText) || !LooksLikeText(plain)) ++result.doubtful;
      replaced += body.substr(kept, block.begin - kept);
      replaced += InBlockShape(Cp1252ToUtf8(plain), block);
      kept = block.end;
    }
    replaced += body.substr(kept);
    return replaced;
  });
  return result;
}

}  // namespace velunor::encrypter
