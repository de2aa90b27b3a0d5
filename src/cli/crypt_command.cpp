#include <memory>

#include "cipher/cipher_manager.h"
#include "cipher/cipher_registry.h"
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/input.h"
#include "cli/keyword.h"
#include "protection/codepage1252.h"
#include "protection/exceptions.h"
#include "protection/paragraphs.h"
#include "protection/string_format.h"

namespace velunor::cli {

namespace {

// The options of encrypt and decrypt. The defaults are the window's coding:
// RIPEMD-256 of the keyword keys Blowfish in cmCTS, text in base 64.
struct CryptOptions {
  std::string cipher;
  std::string hash = "Ripe Message Digest 256";
  std::string mode = "cts";
  std::string format = "default";
  std::string key;
  std::string iv;
  bool text = false;
  KeywordSources keyword;
  std::string file;
};

void AddCryptOptions(CLI::App& command, CryptOptions& options) {
  command
      .add_option("--cipher", options.cipher,
                  "cipher name (see `velunor list ciphers`; default Blowfish)")
      ->check(CipherNameValidator());
  command.add_option("--hash", options.hash, "hash that turns the keyword into the key")
      ->check(HashNameValidator())
      ->capture_default_str();
  command.add_option("--mode", options.mode, "chaining mode (see `velunor list modes`)")
      ->check(ModeValidator())
      ->capture_default_str();
  command
      .add_option("--format", options.format,
                  "text format of the cipher text (" + FormatOptionNames() + ")")
      ->check(FormatValidator())
      ->capture_default_str();
  auto* keywordFile =
      command.add_option("--keyword-file", options.keyword.keywordFile,
                         "file whose text is the keyword (one trailing line break removed)");
  auto* keyword = command.add_option("--keyword", options.keyword.keyword, "the keyword");
  auto* key =
      command.add_option("--key", options.key, "raw key bytes in hex, instead of a keyword");
  command.add_option("--iv", options.iv, "initial vector in hex (one block)");
  command.add_flag(
      "--text", options.text,
      "UTF-8 text with lines: coded as the window codes its text box (code page 1252, CR LF)");
  command.add_option("FILE", options.file, "input file (default: standard input)");
  key->excludes(keywordFile)->excludes(keyword);
  keywordFile->excludes(keyword);
}

// A cipher manager set up as the window sets it up, with the options applied.
void SetUpManager(TCipherManager& manager, THashManager& hashManager, const CryptOptions& options) {
  hashManager.SetAlgorithm(options.hash);
  manager.SetHashManager(&hashManager);
  manager.SetMode(*ParseModeOption(options.mode));
  if (!options.cipher.empty()) manager.SetAlgorithm(options.cipher);
}

void KeyCipher(TCipherManager& manager, const CryptOptions& options, bool keywordGiven) {
  TCipher& cipher = manager.CipherObject();
  ByteString iv;
  if (!options.iv.empty()) {
    iv = ParseHexOption(options.iv, "--iv");
    if (iv.size() != static_cast<std::size_t>(cipher.BlockSize)) {
      throw Exception("--iv must be one block of " + std::to_string(cipher.BlockSize) +
                      " bytes for " + manager.Algorithm());
    }
  }
  const void* ivBytes = iv.empty() ? nullptr : iv.data();
  if (!options.key.empty()) {
    const ByteString key = ParseHexOption(options.key, "--key");
    cipher.Init(key.data(), static_cast<std::int32_t>(key.size()), ivBytes);
    return;
  }
  KeywordSources sources = options.keyword;
  sources.keywordGiven = keywordGiven;
  manager.InitKey(ObtainKeyword(sources), ivBytes);
}

// Text from a text box comes back with LF line breaks.
std::string ToUnixLines(const std::string& text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      result += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

CommandAction AddCryptCommand(CLI::App& app, CommandContext& context, bool encrypt) {
  auto options = std::make_shared<CryptOptions>();
  CLI::App* command = app.add_subcommand(
      encrypt ? "encrypt" : "decrypt",
      encrypt ? "Encrypt standard input or FILE with a keyword and print the cipher text"
              : "Decrypt the cipher text of standard input or FILE with a keyword");
  AddCryptOptions(*command, *options);
  CLI::Option* keywordOption = command->get_option("--keyword");

  return [options, keywordOption, encrypt, &context]() {
    TCipherManager manager;
    THashManager hashManager;
    SetUpManager(manager, hashManager, *options);
    ByteString input = ReadInput(options->file, context.in);
    if (encrypt && options->text)
      input = JoinLinesWithCrLf(SplitParagraphs(ToCodePage1252(input, "the text")));
    KeyCipher(manager, *options, keywordOption->count() > 0);
    const std::int32_t format = *ParseFormatOption(options->format);
    ByteString result =
        manager.CipherObject().ProcessText(input, encrypt ? caEncode : caDecode, format);
    if (encrypt) {
      if (format != sfCopy) result += '\n';
    } else if (options->text) {
      result = ToUnixLines(Cp1252ToUtf8(result));
    }
    WriteBytes(context.out, result);
    return kExitOk;
  };
}

}  // namespace

CommandAction AddEncryptCommand(CLI::App& app, CommandContext& context) {
  return AddCryptCommand(app, context, true);
}

CommandAction AddDecryptCommand(CLI::App& app, CommandContext& context) {
  return AddCryptCommand(app, context, false);
}

}  // namespace velunor::cli
