// The built-in cipher registry: its seventeen entries in order, with their
// names, descriptions and sizes, the lookups by name, and the descriptions a
// cipher manager shows for them.
#include <gtest/gtest.h>

#include "cipher/cipher_gost.h"
#include "cipher/cipher_idea.h"
#include "cipher/cipher_registry.h"
#include "cipher/cipher_safer.h"
#include "cipher/cipher_scop.h"
#include "cipher/cipher_tea.h"
#include "managers/cipher_manager.h"

namespace velunor {
namespace {

TEST(CipherRegistryTable, SeventeenClassesInOrder) {
  struct Row {
    const char* className;
    const char* entry;
    std::int32_t blockSize, maxKeySize, keyDataSize;
  };
  const Row rows[] = {
      {"TCipher_3Way", "3Way=", 12, 12, 120},
      {"TCipher_Blowfish", "Blowfish=", 8, 56, 4168},
      {"TCipher_Gost", "Gost=", 8, 32, 32},
      {"TCipher_IDEA", "IDEA=free for non-commercial", 8, 16, 208},
      {"TCipher_Q128", "Q128=", 16, 16, 256},
      {"TCipher_SAFER_K40", "SAFER-K40=", 8, 5, 768},
      {"TCipher_SAFER_SK40", "SAFER-SK40=Keyscheduling", 8, 5, 768},
      {"TCipher_SAFER_K64", "SAFER-K64=", 8, 8, 768},
      {"TCipher_SAFER_SK64", "SAFER-SK64=Keyscheduling", 8, 8, 768},
      {"TCipher_SAFER_K128", "SAFER-K128=", 8, 16, 768},
      {"TCipher_SAFER_SK128", "SAFER-SK128=Keyscheduling", 8, 16, 768},
      {"TCipher_SCOP", "SCOP=", 128, 48, 3104},
      {"TCipher_Shark", "Shark=", 8, 16, 112},
      {"TCipher_Square", "Square=", 16, 16, 288},
      {"TCipher_TEA", "TEA=", 8, 16, 32},
      {"TCipher_TEAN", "TEA extended=", 8, 16, 32},
      {"TCipher_Twofish", "Twofish=", 16, 32, 4256},
  };
  const auto& entries = CipherRegistry().Entries();
  ASSERT_EQ(entries.size(), std::size(rows));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(rows[i].className);
    EXPECT_EQ(entries[i].cls->ClassName(), rows[i].className);
    EXPECT_EQ(entries[i].text, rows[i].entry);
    const TCipherInfo info = entries[i].cls->CipherInfo();
    EXPECT_EQ(info.BlockSize, rows[i].blockSize);
    EXPECT_EQ(info.MaxKeySize, rows[i].maxKeySize);
    EXPECT_EQ(info.KeyDataSize, rows[i].keyDataSize);
  }
}

TEST(CipherRegistryTable, HierarchyOfTheSAFERAndTEAClasses) {
  EXPECT_TRUE(TCipher_SAFER_SK40::Class().InheritsFrom(TCipher_SAFER_K40::Class()));
  EXPECT_TRUE(TCipher_SAFER_SK64::Class().InheritsFrom(TCipher_SAFER_K64::Class()));
  EXPECT_TRUE(TCipher_SAFER_SK128::Class().InheritsFrom(TCipher_SAFER_K128::Class()));
  EXPECT_TRUE(TCipher_SAFER_K40::Class().InheritsFrom(TCipher_SAFER::Class()));
  EXPECT_TRUE(TCipher_TEAN::Class().InheritsFrom(TCipher_TEA::Class()));
  // Objects report the most derived class.
  const auto sk128 = MakeProtection<TCipher_SAFER_SK128>(nullptr);
  EXPECT_EQ(&sk128->ClassType(), &TCipher_SAFER_SK128::Class());
  const auto tean = MakeProtection<TCipher_TEAN>(nullptr);
  EXPECT_EQ(&tean->ClassType(), &TCipher_TEAN::Class());
  // The SAFER base class is not registered.
  EXPECT_EQ(FindCipherClass("SAFER"), nullptr);
  EXPECT_EQ(CipherClassName(&TCipher_SAFER::Class()), "SAFER");
}

TEST(CipherRegistryTable, LookupsByName) {
  const std::pair<const char*, const TCipherClass*> lookups[] = {
      {"SAFER-K40", &TCipher_SAFER_K40::Class()},
      {"TCipher_SAFER_K40", &TCipher_SAFER_K40::Class()},
      {"SAFER_K40", nullptr},  // the part through the first "_" goes: K40
      {"safer-sk128", &TCipher_SAFER_SK128::Class()},
      {"TEA extended", &TCipher_TEAN::Class()},
      {"TEAN", &TCipher_TEAN::Class()},
      {"TEA", &TCipher_TEA::Class()},
      {"gost", &TCipher_Gost::Class()},
      {"Cipher_IDEA", &TCipher_IDEA::Class()},
      {"scop", &TCipher_SCOP::Class()},
  };
  for (const auto& [name, cls] : lookups) {
    EXPECT_EQ(FindCipherClass(name), cls) << name;
  }
}

TEST(CipherRegistryTable, ManagerDescriptions) {
  const std::pair<const char*, const char*> descriptions[] = {
      {"SAFER-SK128", "Keyscheduling, 128bit Key"},
      {"SAFER-SK40", "Keyscheduling, 40bit Key"},
      {"SAFER-K64", "64bit Key"},
      {"IDEA", "free for non-commercial, 128bit Key"},
      {"Gost", "256bit Key"},
      {"SCOP", "384bit Key"},
      {"TEA extended", "128bit Key"},
  };
  for (const auto& [name, description] : descriptions) {
    TCipherManager manager;
    manager.SetAlgorithm(name);
    EXPECT_EQ(manager.Algorithm(), name);
    EXPECT_EQ(manager.Description(), description) << name;
  }
}

}  // namespace
}  // namespace velunor
