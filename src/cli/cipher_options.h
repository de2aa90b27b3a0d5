#pragma once

#include <iosfwd>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/keyword.h"
#include "encrypter/coding_profile.h"
#include "managers/cipher_manager.h"
#include "managers/hash_manager.h"

namespace velunor::cli {

// The options that choose and key a cipher, shared by encrypt, decrypt and
// mac. The defaults are the window's: RIPEMD-256 of the keyword keys Blowfish.
struct CipherOptions {
  std::string cipher;
  std::string hash = encrypter::kHashAlgorithm;
  std::string mode;
  std::string format;
  std::string key;
  std::string iv;
  KeywordSources keyword;
  std::string file;
  CLI::Option* keywordOption = nullptr;
};

// Adds --cipher, --hash, the keyword options, --key, --iv and FILE.
void AddCipherOptions(CLI::App& command, CipherOptions& options);

// Sets the manager up as the window does, with the options applied, and
// keys its cipher from --key or the keyword, whose texts in the options are
// zeroed once read. Raises UsageError for a key the cipher cannot take whole
// and for a keyword read from the standard input that also brings the data.
void SetUpAndKeyCipher(TCipherManager& manager, THashManager& hashManager, CipherOptions& options,
                       std::istream& in);

}  // namespace velunor::cli
