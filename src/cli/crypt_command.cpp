#include <memory>

#include "cli/cipher_options.h"
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/input.h"
#include "cli/output_target.h"
#include "cli/process_environment.h"
#include "cli/stream_options.h"
#include "cli/text_input.h"
#include "encrypter/text_coding.h"
#include "managers/cipher_manager.h"
#include "protection/coding_sink.h"
#include "protection/string_format.h"
#include "runtime/codepage1252.h"
#include "runtime/text_lines.h"

namespace velunor::cli {

namespace {

// The options of encrypt and decrypt. The defaults are the window's coding:
// Blowfish in cmCTS, text in base 64.
struct CryptOptions : CipherOptions, StreamOptions {
  bool text = false;
};

// Refuses the MAC modes: they leave the data as it is, so "encrypting" in
// one would hand out the plain text.
CLI::Validator NoMacModeValidator() {
  return CLI::Validator(
      [](const std::string& value) {
        const auto mode = ParseModeOption(value);
        if (!mode || !IsMacMode(*mode)) return std::string();
        return std::string(ModeOptionName(*mode)) +
               " computes an authentication value and leaves the data as it is: use `velunor "
               "mac` (an HMAC), or `velunor mac --chain " +
               ModeOptionName(*mode) + "` for the chain value";
      },
      "");
}

void AddCryptOptions(CLI::App& command, CryptOptions& options) {
  options.mode = "cts";
  options.format = "default";
  AddCipherOptions(command, options);
  command.add_option("--mode", options.mode, "chaining mode (see `velunor list modes`)")
      ->check(ModeValidator())
      ->check(NoMacModeValidator())
      ->capture_default_str();
  command
      .add_option("--format", options.format,
                  "text format of the cipher text (" + FormatOptionNames() + ")")
      ->check(FormatValidator())
      ->capture_default_str();
  command.add_flag(
      "--text", options.text,
      "UTF-8 text with lines: coded as the window codes its text box (code page 1252, CR LF)");
  AddStreamOptions(command, options);
}

// Text from a text box comes back with the line breaks of the system's text
// files: LF, on Windows CR LF.
std::string ToSystemLines(const std::string& text) {
  return WithLineBreaks(text, kTextLineBreak);
}

// The coding of --text: lines of a text box, small enough to be held whole,
// coded as the window codes them.
ByteString CodeTextBox(TCipher& cipher, const ByteString& input, bool encrypt,
                       std::int32_t format) {
  if (encrypt) {
    return encrypter::EncryptPlainText(
        cipher, encrypter::PlainTextOfText(ToCodePage1252(input, "the text")), format);
  }
  return ToSystemLines(
      Cp1252ToUtf8(encrypter::DecryptCipherText(cipher, PrepareTextInput(input, format), format)));
}

CommandAction AddCryptCommand(CLI::App& app, CommandContext& context, bool encrypt) {
  auto options = std::make_shared<CryptOptions>();
  CLI::App* command = app.add_subcommand(
      encrypt ? "encrypt" : "decrypt",
      encrypt ? "Encrypt standard input or FILE with a keyword and print the cipher text"
              : "Decrypt the cipher text of standard input or FILE with a keyword");
  AddCryptOptions(*command, *options);

  return [options, encrypt, &context]() {
    TCipherManager manager;
    THashManager hashManager;
    SetUpAndKeyCipher(manager, hashManager, *options, context.in);
    const std::int32_t format = *ParseFormatOption(options->format);
    // A decrypted text is a secret: a new output file is private.
    OutputTarget target(
        options->output, context.out,
        encrypt ? TFileReplacement::kOrdinaryNewFileMode : TFileReplacement::kPrivateNewFileMode);
    TCipher& cipher = manager.CipherObject();
    if (options->text) {
      target.WriteString(
          CodeTextBox(cipher, ReadInput(options->file, context.in), encrypt, format));
    } else if (encrypt) {
      CodingPipeline pipeline(cipher, caEncode, format, target);
      PumpCommandInput(*options, options->file, context, pipeline);
    } else {
      CodingPipeline pipeline(cipher, caDecode, format, target);
      TextInputSink preparation(format, pipeline);
      PumpCommandInput(*options, options->file, context, preparation);
    }
    // The cipher text's line: a text file's line with --text.
    if (encrypt && format != sfCopy) target.WriteString(options->text ? kTextLineBreak : "\n");
    target.Commit();
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
