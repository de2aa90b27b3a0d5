#include "cli/cipher_options.h"

#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/input.h"
#include "runtime/exceptions.h"

namespace velunor::cli {

namespace {

// The library cuts an over-long key to the cipher's largest; the tool
// refuses it, so that two different keys never code alike.
void CheckKeyLength(const TWipedBytes& key, TCipherManager& manager, const TCipher& cipher) {
  if (key.size() <= static_cast<std::size_t>(cipher.MaxKeySize)) return;
  throw UsageError("--key has " + std::to_string(key.size()) + " bytes, but " +
                   manager.Algorithm() + " takes keys of 1 to " +
                   std::to_string(cipher.MaxKeySize) + " bytes");
}

TWipedBytes InitialVector(TCipherManager& manager, const TCipher& cipher, const std::string& hex) {
  if (hex.empty()) return {};
  TWipedBytes iv = ParseHexOption(hex, "--iv");
  if (iv.size() != static_cast<std::size_t>(cipher.BlockSize)) {
    throw UsageError("--iv must be one block of " + std::to_string(cipher.BlockSize) +
                     " bytes for " + manager.Algorithm());
  }
  return iv;
}

}  // namespace

void AddCipherOptions(CLI::App& command, CipherOptions& options) {
  command
      .add_option("--cipher", options.cipher,
                  "cipher name (see `velunor list ciphers`; default Blowfish)")
      ->check(CipherNameValidator());
  command.add_option("--hash", options.hash, "hash that turns the keyword into the key")
      ->check(HashNameValidator())
      ->capture_default_str();
  auto* keywordFile = command.add_option(
      "--keyword-file", options.keyword.keywordFile,
      "file whose text is the keyword (one trailing line break removed; - for standard input)");
  auto* keyword = command.add_option("--keyword", options.keyword.keyword, "the keyword");
  auto* keywordCommand = command.add_option(
      "--keyword-command", options.keyword.keywordCommand,
      "shell command that prints the keyword on its first line (e.g. cmvelunor --ask-keyword)");
  auto* key =
      command.add_option("--key", options.key, "raw key bytes in hex, instead of a keyword");
  options.keyOption = key;
  command.add_option("--iv", options.iv, "initial vector in hex (one block)");
  command.add_option("FILE", options.file, "input file (default or -: standard input)");
  key->excludes(keywordFile)->excludes(keyword)->excludes(keywordCommand);
  keywordFile->excludes(keyword)->excludes(keywordCommand);
  keyword->excludes(keywordCommand);
  options.keywordOption = keyword;
}

TWipedBytes ObtainKeyOrKeyword(CipherOptions& options, std::istream& in) {
  if (options.keyOption->count() > 0) {
    TWipedBytes key = ParseHexOption(options.key, "--key");
    SecureFill(options.key.data(), 0, options.key.size());
    return key;
  }
  if (options.keyword.keywordFile == "-" && IsStandardInput(options.file)) {
    throw UsageError(
        "--keyword-file - reads the keyword from standard input, so the data "
        "must come from a FILE");
  }
  options.keyword.keywordGiven = options.keywordOption->count() > 0;
  return ObtainKeyword(options.keyword, in);
}

void SetUpAndKeyCipher(TCipherManager& manager, THashManager& hashManager, CipherOptions& options,
                       std::istream& in) {
  encrypter::SetUpProfile(hashManager, manager);
  hashManager.SetAlgorithm(options.hash);
  manager.SetMode(*ParseModeOption(options.mode));
  if (!options.cipher.empty()) manager.SetAlgorithm(options.cipher);

  TCipher& cipher = manager.CipherObject();
  const TWipedBytes iv = InitialVector(manager, cipher, options.iv);
  const void* ivBytes = iv.empty() ? nullptr : iv.data();
  const bool rawKey = options.keyOption->count() > 0;
  const TWipedBytes key = ObtainKeyOrKeyword(options, in);
  if (rawKey) {
    CheckKeyLength(key, manager, cipher);
    cipher.Init(key.data(), static_cast<std::int32_t>(key.size()), ivBytes);
  } else {
    manager.InitKey(TextOf(key), ivBytes);
  }
}

}  // namespace velunor::cli
