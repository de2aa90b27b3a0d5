#include <memory>

#include "cipher/cipher_manager.h"
#include "cli/cipher_options.h"
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/input.h"
#include "cli/output.h"
#include "protection/format_registry.h"
#include "protection/streams.h"

namespace velunor::cli {

namespace {

CLI::Validator MacModeValidator() {
  return CLI::Validator(
      [](const std::string& value) {
        const auto mode = ParseModeOption(value);
        return mode && *mode > cmECB ? std::string()
                                     : "not a MAC mode: " + value + " (ctsmac, cbcmac or cfbmac)";
      },
      "MODE");
}

// Runs the data through the cipher without writing it; the chain then holds
// the MAC value.
void RunThroughChain(TCipher& cipher, const std::string& file, std::istream& in) {
  if (!IsStandardInput(file) && FileExists(file)) {
    WithFileErrors(file, [&] { cipher.ProcessFile(file, file, caDigest); });
    return;
  }
  TMemoryStream data(ReadInput(file, in));
  cipher.ProcessStream(&data, nullptr, -1, caDigest);
}

}  // namespace

CommandAction AddMacCommand(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<CipherOptions>();
  options->mode = "ctsmac";
  options->format = "hexl";
  CLI::App* command =
      app.add_subcommand("mac", "Print the message authentication value of standard input or FILE");
  AddCipherOptions(*command, *options);
  command->add_option("--mode", options->mode, "ctsmac, cbcmac or cfbmac")
      ->check(MacModeValidator())
      ->capture_default_str();
  command
      ->add_option("--format", options->format,
                   "text format of the value (" + FormatOptionNames() + ")")
      ->check(FormatValidator())
      ->capture_default_str();

  return [options, &context]() {
    TCipherManager manager;
    THashManager hashManager;
    SetUpAndKeyCipher(manager, hashManager, *options, context.in);
    TCipher& cipher = manager.CipherObject();
    RunThroughChain(cipher, options->file, context.in);
    const std::int32_t format = *ParseFormatOption(options->format);
    WriteBytes(context.out, BytesToText(cipher.ChainBlock(), cipher.BlockSize, format) + "\n");
    return kExitOk;
  };
}

}  // namespace velunor::cli
