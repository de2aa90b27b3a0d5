#include "cipher/cipher_selftest.h"

#include <algorithm>

namespace velunor {

namespace {

ProtectionRef<TCipher> SelfTestCipher(const TCipherClass& cls) {
  const ProtectionRef<TCipher> cipher = cls.Create();
  cipher->Mode = cmCTS;
  cipher->Init(SelfTestInput, std::min<std::int32_t>(32, cls.CipherInfo().MaxKeySize), nullptr);
  return cipher;
}

}  // namespace

ByteString CipherSelfTestOutput(const TCipherClass& cls) {
  ByteString output(sizeof SelfTestInput, '\0');
  SelfTestCipher(cls)->EncipherBuffer(SelfTestInput, output.data(),
                                      static_cast<std::int32_t>(output.size()));
  return output;
}

bool CipherSelfTest(const TCipherClass& cls) {
  const ByteString output = CipherSelfTestOutput(cls);
  const auto known = cls.KnownAnswerData();
  if (!std::equal(output.begin(), output.end(), known.begin(), known.end(),
                  [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
    return false;
  }
  ByteString back(output.size(), '\0');
  SelfTestCipher(cls)->DecipherBuffer(output.data(), back.data(),
                                      static_cast<std::int32_t>(back.size()));
  return std::equal(back.begin(), back.end(), SelfTestInput,
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

}  // namespace velunor
