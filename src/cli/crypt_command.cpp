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
#include "encrypter/cipher_text_lines.h"
#include "encrypter/mail_decryption.h"
#include "encrypter/text_check.h"
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
  std::size_t wrap = 0;  // encrypt: columns of the cipher text's lines
  bool mail = false;     // decrypt: the cipher texts within a mail
  bool force = false;    // decrypt: write a doubtful result all the same
};

// Refuses the MAC modes: they leave the data as it is, so "encrypting" in
// one would hand out the plain text.
CLI::Validator NoMacModeValidator() {
  return CLI::Validator(
      [](const std::string& value) {
        const auto mode = ParseModeOption(value);
        if (!mode || *mode <= cmECB) return std::string();
        return std::string(ModeOptionName(*mode)) +
               " computes an authentication value and leaves the data as it is: use `velunor "
               "mac` (an HMAC), or `velunor mac --chain " +
               ModeOptionName(*mode) + "` for the chain value";
      },
      "");
}

void AddCryptOptions(CLI::App& command, CryptOptions& options, bool encrypt) {
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
  auto* text = command.add_flag(
      "--text", options.text,
      "UTF-8 text with lines: coded as the window codes its text box (code page 1252, CR LF)");
  if (encrypt) {
    command
        .add_option("--wrap", options.wrap,
                    "with --text: break the cipher text into lines of N characters (for mail: 76)")
        ->check(CLI::Range(std::size_t{0}, encrypter::kMaxMailLineLength))
        ->needs(text);
  } else {
    command.add_flag("--mail", options.mail,
                     "text of a mail (a whole message or its body, quoted or not): every "
                     "cipher text in it is decrypted in its place, the rest kept; implies --text");
    command.add_flag("--force", options.force,
                     "with --text: write a result that does not read as text (a wrong keyword, "
                     "a damaged cipher text) instead of refusing it with exit status 3");
  }
  AddStreamOptions(command, options);
}

// Text from a text box comes back with the line breaks of the system's text
// files: LF, on Windows CR LF.
std::string ToSystemLines(const std::string& text) {
  return WithLineBreaks(text, kTextLineBreak);
}

// A decryption that does not read as text is refused, unless forced: in a
// mail filter it would silently replace the letter with garbage.
void RefuseDoubtful(bool doubtful, const CryptOptions& options) {
  if (doubtful && !options.force) throw DoubtfulDecryption();
}

ByteString EncryptText(TCipher& cipher, const ByteString& input, const CryptOptions& options,
                       std::int32_t format) {
  const ByteString cipherText = encrypter::EncryptPlainText(
      cipher, encrypter::PlainTextOfText(ToCodePage1252(input, "the text")), format);
  return encrypter::WrapAtColumns(cipherText, options.wrap, kTextLineBreak);
}

ByteString DecryptText(TCipher& cipher, const ByteString& input, const CryptOptions& options,
                       std::int32_t format) {
  const ByteString cipherText = PrepareTextInput(input, format);
  // Base 64 cut short has lost characters: a line of a wrapped cipher text
  // taken alone, for example.
  const bool cutShort = ResolvedFormat(format) == sfBase64 && !encrypter::IsWholeBase64(cipherText);
  RefuseDoubtful(cutShort, options);
  const ByteString plain = encrypter::DecryptCipherText(cipher, cipherText, format);
  RefuseDoubtful(!encrypter::LooksLikeText(plain), options);
  return ToSystemLines(Cp1252ToUtf8(plain));
}

// The cipher texts of a mail, decrypted in their places; the mail's own
// bytes and line breaks are kept around them.
ByteString DecryptMailText(TCipher& cipher, const ByteString& input, const CryptOptions& options,
                           std::int32_t format) {
  if (ResolvedFormat(format) != sfBase64)
    throw UsageError("--mail finds cipher texts in base 64 only");
  const encrypter::TMailDecryption result =
      encrypter::DecryptMail(input, [&cipher, format](const std::string& cipherText) {
        return encrypter::DecryptCipherText(cipher, cipherText, format);
      });
  if (result.blocks == 0) throw Exception("the mail holds no cipher text");
  RefuseDoubtful(result.doubtful > 0, options);
  return result.text;
}

// The coding of --text: lines of a text box, small enough to be held whole,
// coded as the window codes them.
ByteString CodeTextBox(TCipher& cipher, const ByteString& input, bool encrypt,
                       const CryptOptions& options, std::int32_t format) {
  if (encrypt) return EncryptText(cipher, input, options, format);
  if (options.mail) return DecryptMailText(cipher, input, options, format);
  return DecryptText(cipher, input, options, format);
}

CommandAction AddCryptCommand(CLI::App& app, CommandContext& context, bool encrypt) {
  auto options = std::make_shared<CryptOptions>();
  CLI::App* command = app.add_subcommand(
      encrypt ? "encrypt" : "decrypt",
      encrypt ? "Encrypt standard input or FILE with a keyword and print the cipher text"
              : "Decrypt the cipher text of standard input or FILE with a keyword");
  AddCryptOptions(*command, *options, encrypt);

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
    options->text = options->text || options->mail;
    if (options->text) {
      target.WriteString(
          CodeTextBox(cipher, ReadInput(options->file, context.in), encrypt, *options, format));
    } else if (encrypt) {
      CodingPipeline pipeline(cipher, caEncode, format, target);
      PumpCommandInput(*options, options->file, context, pipeline);
    } else {
      CodingPipeline pipeline(cipher, caDecode, format, target);
      TextInputSink preparation(format, pipeline);
      PumpCommandInput(*options, options->file, context, preparation);
    }
    // The cipher text's last line: a text file's line with --text.
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
