// The cipher registry (lookups, re-registration) and the cipher manager: the
// fallback to Blowfish, Description, the stored Mode and Cipher, the hash
// manager link with its free notification, and the form description.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_errors.h"
#include "cipher/cipher_registry.h"
#include "hash/hash_md4.h"
#include "hash/hash_ripemd256.h"
#include "managers/cipher_manager.h"
#include "protection/format_registry.h"
#include "runtime/form_description.h"

namespace velunor {
namespace {

const TCipherClass* const kBlowfish = &TCipher_Blowfish::Class();

std::ptrdiff_t PositionOf(const TCipherClass* cls) {
  const auto& entries = CipherRegistry().Entries();
  const auto found =
      std::find_if(entries.begin(), entries.end(), [cls](const auto& e) { return e.cls == cls; });
  return found == entries.end() ? -1 : found - entries.begin();
}

std::string EntryText(const TCipherClass* cls) {
  const auto position = PositionOf(cls);
  return position < 0 ? "" : CipherRegistry().Entries()[static_cast<std::size_t>(position)].text;
}

// The stored values of one component, by name.
std::vector<TStoredValue> StoredValues(const TComponent& component) {
  std::vector<TStoredValue> values;
  component.WriteStoredValues(values);
  return values;
}

const TStoredValue* Find(const std::vector<TStoredValue>& values, const std::string& name) {
  const auto found = std::find_if(values.begin(), values.end(),
                                  [&](const TStoredValue& v) { return v.name == name; });
  return found == values.end() ? nullptr : &*found;
}

TEST(CipherRegistry, FindsBlowfishByEveryFormOfItsName) {
  for (const char* name :
       {"Blowfish", "blowfish", "BLOWFISH", "TCipher_Blowfish", "Cipher_Blowfish", "_blowFISH"}) {
    EXPECT_EQ(FindCipherClass(name), kBlowfish) << name;
  }
  for (const char* name :
       {"Rijndael", "TCipher_Rijndael", "Blow fish", "Blowfish ", "TCipher", ""}) {
    EXPECT_EQ(FindCipherClass(name), nullptr) << '"' << name << '"';
  }
}

TEST(CipherRegistry, BlowfishEntryHasADerivedNameAndNoDescription) {
  EXPECT_EQ(EntryText(kBlowfish), "Blowfish=");
  EXPECT_EQ(CipherClassName(kBlowfish), "Blowfish");
  EXPECT_EQ(CipherClassName(&TCipher::Class()), "TCipher");
  EXPECT_EQ(CipherClassName(nullptr), "");
  EXPECT_EQ(&FallbackCipherClass(), kBlowfish);
}

TEST(CipherRegistry, ReRegisteringReplacesTheEntryInPlace) {
  const auto position = PositionOf(kBlowfish);
  const auto count = CipherRegistry().Entries().size();
  EXPECT_TRUE(RegisterCipherClass(kBlowfish, " Pufferfisch ", "Test"));
  EXPECT_EQ(PositionOf(kBlowfish), position);
  EXPECT_EQ(CipherRegistry().Entries().size(), count);
  EXPECT_EQ(EntryText(kBlowfish), "Pufferfisch=Test");
  EXPECT_EQ(FindCipherClass("pufferfisch"), kBlowfish);
  EXPECT_EQ(FindCipherClass("Blowfish"), kBlowfish) << "the short class name still finds it";
  {
    TCipherManager manager;
    EXPECT_EQ(manager.Algorithm(), "Pufferfisch");
    EXPECT_EQ(manager.Description(), "Test, 448bit Key");
  }
  EXPECT_TRUE(RegisterCipherClass(kBlowfish, "", ""));
  EXPECT_EQ(EntryText(kBlowfish), "Blowfish=");
  EXPECT_EQ(PositionOf(kBlowfish), position);

  EXPECT_FALSE(RegisterCipherClass(nullptr, "Nothing", ""));
  EXPECT_EQ(CipherRegistry().Entries().size(), count);
}

TEST(CipherManager, RijndaelLeavesTheManagerOnBlowfish) {
  TCipherManager manager;
  manager.SetAlgorithm("Rijndael");
  EXPECT_EQ(manager.CipherClass(), nullptr);
  EXPECT_EQ(manager.Algorithm(), "Blowfish");
  EXPECT_EQ(manager.Description(), "448bit Key");
  EXPECT_EQ(manager.Description(1), "");
  EXPECT_EQ(manager.CipherObject().ClassType().ClassName(), "TCipher_Blowfish");
}

TEST(CipherManager, ANewManagerStoresNothing) {
  TCipherManager manager;
  EXPECT_EQ(manager.Mode(), cmCBC);
  EXPECT_TRUE(StoredValues(manager).empty());
}

TEST(CipherManager, ModeIsStoredOnlyWhenNotCBC) {
  const TComponent form(nullptr, "Form");
  const TStoredValueReader reader(form);
  for (int m = cmCTS; m <= cmCFBMAC; ++m) {
    const auto mode = static_cast<TCipherMode>(m);
    SCOPED_TRACE("mode " + std::to_string(m));
    TCipherManager manager;
    manager.SetMode(mode);
    const auto values = StoredValues(manager);
    const TStoredValue* stored = Find(values, "Mode");
    EXPECT_EQ(stored != nullptr, mode != cmCBC);

    TCipherManager loaded;
    loaded.SetMode(cmECB);
    loaded.SetMode(cmCBC);  // as a new manager
    for (const TStoredValue& value : values)
      loaded.ReadStoredValue(value, reader);
    EXPECT_EQ(loaded.Mode(), mode);
  }
}

TEST(CipherManager, StoredCipherMustMatchTheClassNameExactly) {
  const TComponent form(nullptr, "Form");
  const TStoredValueReader reader(form);
  const struct {
    const char* stored;
    const TCipherClass* expected;
  } cases[] = {
      {"TCipher_Blowfish", kBlowfish}, {"tcipher_blowfish", nullptr}, {"TCIPHER_BLOWFISH", nullptr},
      {"Blowfish", nullptr},           {"TCipher_Rijndael", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    TCipherManager manager;
    manager.ReadStoredValue({"Cipher", c.stored}, reader);
    EXPECT_EQ(manager.CipherClass(), c.expected);
  }
}

TEST(CipherManager, CodingNeedsAKeyButAnEmptyTextDoesNot) {
  TCipherManager manager;
  EXPECT_EQ(manager.EncodeText(""), "");
  EXPECT_EQ(manager.DecodeText(""), "");
  try {
    manager.EncodeText("abc");
    FAIL() << "coding without a key must be refused";
  } catch (const ECipherException& e) {
    EXPECT_EQ(e.FaultCode, kFaultNotInitialized);
    EXPECT_EQ(e.Message().rfind("TCipher_Blowfish", 0), 0u);
  }
}

TEST(CipherManager, ModeChangeKeepsTheKeyClassChangeDropsIt) {
  TCipherManager manager;
  manager.SetMode(cmCTS);
  manager.InitKey("keyword");
  const TCipher* object = &manager.CipherObject();
  const ByteString cts = manager.EncodeText("some text");

  manager.SetMode(cmCBC);
  EXPECT_EQ(&manager.CipherObject(), object);
  EXPECT_EQ(manager.CipherObject().Mode, cmCBC);
  const ByteString cbc = manager.EncodeText("some text");
  EXPECT_NE(cbc, cts);
  manager.SetMode(cmCTS);
  EXPECT_EQ(manager.EncodeText("some text"), cts);

  manager.SetAlgorithm("Blowfish");  // the class in use already: nothing changes
  EXPECT_EQ(manager.EncodeText("some text"), cts);
  manager.SetAlgorithm("Rijndael");  // none after a real class: a new, unkeyed object
  EXPECT_THROW(manager.EncodeText("some text"), ECipherException);
  manager.InitKey("keyword");
  EXPECT_EQ(manager.CipherObject().Mode, cmCTS);
  EXPECT_EQ(manager.EncodeText("some text"), cts);
}

TEST(CipherManager, KeyHashComesFromTheHashManager) {
  auto* hashManager = new THashManager(nullptr, "HashManager1");
  TCipherManager manager;
  manager.SetMode(cmCTS);
  manager.SetHashManager(hashManager);
  hashManager->SetAlgorithm("Message Digest 4");
  manager.InitKey("keyword");
  const ByteString md4Keyed = manager.EncodeText("some text");

  TCipherManager plain;
  plain.SetMode(cmCTS);
  plain.InitKey("keyword");  // no hash manager: the default RIPEMD-256
  EXPECT_NE(plain.EncodeText("some text"), md4Keyed);

  // The cipher's own key hash class stays MD4 after the hash manager is gone.
  delete hashManager;
  EXPECT_EQ(manager.HashManager(), nullptr);
  manager.InitKey("keyword");
  EXPECT_EQ(manager.EncodeText("some text"), md4Keyed);
  EXPECT_EQ(&manager.CipherObject().KeyHashClass(), &THash_MD4::Class());
}

TEST(CipherManager, FormDescriptionRoundTrip) {
  TComponent form(nullptr, "FormVelunor");
  auto* hashManager = new THashManager(&form, "HashManager1");
  auto* cipherManager = new TCipherManager(&form, "CipherManager1");
  hashManager->SetHashClass(&THash_RipeMD256::Class());
  cipherManager->SetMode(cmCTS);
  cipherManager->SetHashManager(hashManager);
  cipherManager->SelectCipherClass(kBlowfish);

  const TFormDescription description = WriteFormDescription(form);
  const auto values = StoredValues(*cipherManager);
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(Find(values, "Mode")->text, "cmCTS");
  EXPECT_EQ(Find(values, "HashManager")->text, "HashManager1");
  EXPECT_EQ(Find(values, "Cipher")->text, "TCipher_Blowfish");

  TComponent loaded(nullptr, "FormVelunor");
  auto* loadedHash = new THashManager(&loaded, "HashManager1");
  auto* loadedCipher = new TCipherManager(&loaded, "CipherManager1");
  ReadFormDescription(loaded, description);
  EXPECT_EQ(loadedCipher->Mode(), cmCTS);
  EXPECT_EQ(loadedCipher->HashManager(), loadedHash);
  EXPECT_EQ(loadedCipher->CipherClass(), kBlowfish);
  EXPECT_TRUE(loadedHash->HasHashClass());

  const TFormDescription again = WriteFormDescription(loaded);
  ASSERT_EQ(again.size(), description.size());
  for (std::size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].name, description[i].name);
    ASSERT_EQ(again[i].values.size(), description[i].values.size());
    for (std::size_t k = 0; k < again[i].values.size(); ++k) {
      EXPECT_EQ(again[i].values[k].name, description[i].values[k].name);
      EXPECT_EQ(again[i].values[k].text, description[i].values[k].text);
    }
  }
}

TEST(CipherManager, TheWindowsStoredDescriptionSelectsNoClass) {
  TComponent form(nullptr, "FormVelunor");
  auto* hashManager = new THashManager(&form, "HashManager1");
  auto* cipherManager = new TCipherManager(&form, "CipherManager1");
  ReadFormDescription(
      form,
      {
          {"HashManager1", {{"Hash", "THash_RipeMD256"}}},
          {"CipherManager1",
           {{"Mode", "cmCTS"}, {"HashManager", "HashManager1"}, {"Cipher", "TCipher_Rijndael"}}},
      });
  EXPECT_EQ(cipherManager->Mode(), cmCTS);
  EXPECT_EQ(cipherManager->HashManager(), hashManager);
  EXPECT_EQ(cipherManager->CipherClass(), nullptr);
  EXPECT_TRUE(Find(StoredValues(*cipherManager), "Cipher") == nullptr);
  EXPECT_EQ(cipherManager->Algorithm(), "Blowfish");
}

}  // namespace
}  // namespace velunor
