// Every registered cipher and hash has at least one outside vector: a record
// in tests/data/cipher-vectors, cipher-modes or hash-vectors whose source is
// not this library. A line "# source: WHO" names the source of the records
// below it, up to the next such line; "# source: this library..." marks
// values the library computed itself (checked by a separate program, but
// written by the same hands). A class added without an outside vector fails
// here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "cipher/cipher_registry.h"
#include "hash/hash_registry.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// Classes no outside source covers, so their vectors are this library's own.
// SCOP: no value was ever published and no other implementation exists here.
// TEA and TEAN: their rounds differ from the published TEA and XTEA.
// Sapphire: no published digests; Crypto++ dropped its Sapphire port.
// Snefru: the class is not the published Snefru-256 (its chaining and length
// block differ). XOR16 and XOR32: no published checksum of that kind.
const std::set<std::string> kOwnVectorsOnly = {
    "TCipher_SCOP",      "TCipher_TEA",       "TCipher_TEAN",      "THash_Sapphire128",
    "THash_Sapphire160", "THash_Sapphire192", "THash_Sapphire224", "THash_Sapphire256",
    "THash_Sapphire288", "THash_Sapphire320", "THash_Snefru",      "THash_XOR16",
    "THash_XOR32",
};

// The class names of the records with an outside source, each name
// resolved through the registries (a record may name a class by an alias).
std::set<std::string> ClassesWithOutsideVectors() {
  std::set<std::string> classes;
  for (const char* folder : {"cipher-vectors", "cipher-modes", "hash-vectors"}) {
    for (const auto& entry : std::filesystem::directory_iterator(test::DataPath(folder))) {
      std::ifstream file(entry.path());
      std::string line, source;
      while (std::getline(file, line)) {
        if (line.rfind("# source: ", 0) == 0) source = line.substr(10);
        if (line.empty() || line[0] == '#') continue;
        if (source.empty() || source.rfind("this library", 0) == 0) continue;
        const std::string name = line.substr(0, line.find('\t'));
        if (const auto* cipher = FindCipherClass(name)) classes.emplace(cipher->ClassName());
        if (const auto* hash = FindHashClass(name)) classes.emplace(hash->ClassName());
      }
    }
  }
  return classes;
}

TEST(OutsideVectors, EveryRegisteredClassHasOneUnlessListedAsOwnOnly) {
  const auto outside = ClassesWithOutsideVectors();
  std::set<std::string> registered;
  for (const auto& entry : CipherRegistry().Entries())
    registered.emplace(entry.cls->ClassName());
  for (const auto& entry : HashRegistry().Entries())
    registered.emplace(entry.cls->ClassName());
  ASSERT_EQ(registered.size(), 17U + 28U);
  for (const auto& name : registered) {
    // A listed class that gains an outside vector leaves the list.
    EXPECT_NE(outside.contains(name), kOwnVectorsOnly.contains(name)) << name;
  }
  for (const auto& name : kOwnVectorsOnly)
    EXPECT_TRUE(registered.contains(name)) << name << " is not registered";
}

}  // namespace
}  // namespace velunor
