#pragma once

#include <iosfwd>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/keyword.h"
#include "encrypter/coding_profile.h"
#include "managers/cipher_manager.h"
#include "managers/hash_manager.h"
#include "runtime/wiped_bytes.h"

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
  CLI::Option* keyOption = nullptr;
};

// Adds --cipher, --hash, the keyword options, --key, --iv and FILE.
void AddCipherOptions(CLI::App& command, CipherOptions& options);

// The key the options give: the bytes of --key, else the keyword's code page
// 1252 bytes (see ObtainKeyword). The texts in the options are zeroed once
// read. Raises UsageError for a --key that is not hex and for a keyword read
// from the standard input that also brings the data.
TWipedBytes ObtainKeyOrKeyword(CipherOptions& options, std::istream& in);

// Sets the manager up as the window does, with the options applied, and
// keys its cipher from --key or the keyword, whose texts in the options are
// zeroed once read. Raises UsageError for a key the cipher cannot take whole,
// an initial vector that is not one block, and as ObtainKeyOrKeyword.
void SetUpAndKeyCipher(TCipherManager& manager, THashManager& hashManager, CipherOptions& options,
                       std::istream& in);

}  // namespace velunor::cli
