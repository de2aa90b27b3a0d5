// The hash registry (lookups by name and short class name, re-registration)
// and the hash manager (Algorithm, Description, the stored value "Hash").
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "hash/hash_md4.h"
#include "hash/hash_registry.h"
#include "hash/hash_ripemd256.h"
#include "managers/hash_manager.h"
#include "runtime/form_description.h"

namespace velunor {
namespace {

std::ptrdiff_t PositionOf(const THashClass* cls) {
  const auto& entries = HashRegistry().Entries();
  const auto found =
      std::find_if(entries.begin(), entries.end(), [cls](const auto& e) { return e.cls == cls; });
  return found == entries.end() ? -1 : found - entries.begin();
}

std::string EntryText(const THashClass* cls) {
  const auto position = PositionOf(cls);
  return position < 0 ? "" : HashRegistry().Entries()[static_cast<std::size_t>(position)].text;
}

// Registers a class under a test name and puts its entry back afterwards.
class ScopedRegistration {
 public:
  ScopedRegistration(const THashClass* cls, std::string_view name, std::string_view description)
      : cls_(cls), saved_(EntryText(cls)) {
    RegisterHashClass(cls, name, description);
  }
  ~ScopedRegistration() {
    const auto equals = saved_.find('=');
    RegisterHashClass(cls_, saved_.substr(0, equals), saved_.substr(equals + 1));
  }

 private:
  const THashClass* cls_;
  std::string saved_;
};

TEST(HashRegistry, FindsByShortClassNameOrRegisteredNameInAnyCase) {
  const struct {
    const char* name;
    const THashClass* expected;
  } cases[] = {
      {"RipeMD256", &THash_RipeMD256::Class()},
      {"ripemd256", &THash_RipeMD256::Class()},
      {"THash_RipeMD256", &THash_RipeMD256::Class()},
      {"Anything_RIPEMD256", &THash_RipeMD256::Class()},
      {"Ripe Message Digest 256", &THash_RipeMD256::Class()},
      {"ripe message digest 256", &THash_RipeMD256::Class()},
      {"  Ripe Message Digest 256", nullptr},  // names are not trimmed for lookups
      {"Ripe Message Digest256", nullptr},
      {"MD4", &THash_MD4::Class()},
      {"Message Digest 4", &THash_MD4::Class()},
      {"Rijndael", nullptr},
      {"THash", nullptr},  // the base class is not registered
      {"", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindHashClass(c.name), c.expected) << '"' << c.name << '"';
  }
}

TEST(HashRegistry, NamesOfRegisteredAndUnregisteredClasses) {
  EXPECT_EQ(HashClassName(&THash_RipeMD256::Class()), "Ripe Message Digest 256");
  EXPECT_EQ(HashClassName(&THash_MD4::Class()), "Message Digest 4");
  EXPECT_EQ(EntryText(&THash_RipeMD256::Class()), "Ripe Message Digest 256=Hash");
  // Unregistered classes are named by their short class name.
  EXPECT_EQ(HashClassName(&THash::Class()), "THash");
  EXPECT_EQ(HashClassName(&TChecksum::Class()), "TChecksum");
  EXPECT_EQ(HashClassName(nullptr), "");
  EXPECT_EQ(&DefaultHashClass(), &THash_RipeMD256::Class());
}

TEST(HashRegistry, MD4ComesBeforeRipeMD256) {
  EXPECT_EQ(PositionOf(&THash_MD4::Class()), 0);
  EXPECT_LT(PositionOf(&THash_MD4::Class()), PositionOf(&THash_RipeMD256::Class()));
}

TEST(HashRegistry, ReRegisteringReplacesTheLineInPlace) {
  const THashClass* cls = &THash_RipeMD256::Class();
  const auto position = PositionOf(cls);
  const auto count = HashRegistry().Entries().size();
  {
    ScopedRegistration renamed(cls, "  Test Digest\t", "Test description ");
    EXPECT_EQ(PositionOf(cls), position);
    EXPECT_EQ(HashRegistry().Entries().size(), count);
    EXPECT_EQ(EntryText(cls), "Test Digest=Test description ");
    EXPECT_EQ(FindHashClass("test digest"), cls);
    EXPECT_EQ(FindHashClass("Ripe Message Digest 256"), nullptr);
    EXPECT_EQ(FindHashClass("RipeMD256"), cls);  // the short class name still finds it

    THashManager manager;
    manager.SetHashClass(cls);
    EXPECT_EQ(manager.Algorithm(), "Test Digest");
    EXPECT_EQ(manager.Description(), "Test description, 256bit Digestsize");
  }
  {
    ScopedRegistration derived(cls, " ", "Hash");
    EXPECT_EQ(EntryText(cls), "RipeMD256=Hash");  // a blank name is derived from the class name
  }
  EXPECT_EQ(EntryText(cls), "Ripe Message Digest 256=Hash");
  EXPECT_EQ(PositionOf(cls), position);
}

TEST(HashRegistry, RegisteringNoClassFails) {
  const auto count = HashRegistry().Entries().size();
  EXPECT_FALSE(RegisterHashClass(nullptr, "Nothing", "Hash"));
  EXPECT_EQ(HashRegistry().Entries().size(), count);
}

TEST(HashManager, ReadingTheClassFillsInTheDefault) {
  THashManager manager;
  EXPECT_FALSE(manager.HasHashClass());
  std::vector<TStoredValue> values;
  manager.WriteStoredValues(values);
  EXPECT_TRUE(values.empty()) << "nothing is stored while no class is held";

  EXPECT_EQ(&manager.HashClass(), &THash_RipeMD256::Class());
  EXPECT_TRUE(manager.HasHashClass());
  manager.WriteStoredValues(values);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Hash");
  EXPECT_EQ(values[0].text, "THash_RipeMD256");
}

TEST(HashManager, AlgorithmSelectsByNameAndFallsBackToTheDefault) {
  THashManager manager;
  manager.SetAlgorithm("Message Digest 4");
  EXPECT_EQ(&manager.HashClass(), &THash_MD4::Class());
  EXPECT_EQ(manager.Algorithm(), "Message Digest 4");
  EXPECT_EQ(manager.Description(), "Hash, 128bit Digestsize");

  manager.SetAlgorithm("Rijndael");
  EXPECT_EQ(&manager.HashClass(), &THash_RipeMD256::Class());
  EXPECT_EQ(manager.Algorithm(), "Ripe Message Digest 256");
  EXPECT_EQ(manager.Description(), "Hash, 256bit Digestsize");

  manager.SetHashClass(&THash_MD4::Class());
  manager.SetHashClass(nullptr);
  EXPECT_EQ(&manager.HashClass(), &THash_RipeMD256::Class());
}

TEST(HashManager, UnregisteredClassDescriptionStartsWithTheNumber) {
  THashManager manager;
  manager.SetHashClass(&THash::Class());
  EXPECT_EQ(manager.Algorithm(), "THash");
  EXPECT_EQ(manager.Description(), "0bit Digestsize");
}

TEST(HashManager, StoredHashIsMatchedCaseSensitively) {
  const TComponent form(nullptr, "Form");
  const TStoredValueReader reader(form);
  const struct {
    const char* stored;
    const THashClass* before;
    const THashClass* after;
  } cases[] = {
      {"THash_MD4", nullptr, &THash_MD4::Class()},
      {"THash_RipeMD256", &THash_MD4::Class(), &THash_RipeMD256::Class()},
      {"thash_ripemd256", &THash_MD4::Class(), &THash_MD4::Class()},
      {"RipeMD256", &THash_MD4::Class(), &THash_MD4::Class()},  // class names only
      {"Ripe Message Digest 256", &THash_MD4::Class(), &THash_MD4::Class()},
      {"THash_Rijndael", nullptr, &THash_RipeMD256::Class()},  // none held: the default is read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    THashManager manager;
    if (c.before != nullptr) manager.SetHashClass(c.before);
    manager.ReadStoredValue({"Hash", c.stored}, reader);
    EXPECT_EQ(&manager.HashClass(), c.after);
  }
}

TEST(HashManager, FormDescriptionRoundTrip) {
  TComponent form(nullptr, "FormVelunor");
  auto* manager = new THashManager(&form, "HashManager1");
  manager->SetAlgorithm("MD4");
  const TFormDescription description = WriteFormDescription(form);
  ASSERT_EQ(description.size(), 1u);
  EXPECT_EQ(description[0].name, "HashManager1");
  ASSERT_EQ(description[0].values.size(), 1u);
  EXPECT_EQ(description[0].values[0].name, "Hash");
  EXPECT_EQ(description[0].values[0].text, "THash_MD4");

  TComponent loaded(nullptr, "FormVelunor");
  auto* loadedManager = new THashManager(&loaded, "HashManager1");
  ReadFormDescription(loaded, description);
  EXPECT_EQ(&loadedManager->HashClass(), &THash_MD4::Class());
}

}  // namespace
}  // namespace velunor
