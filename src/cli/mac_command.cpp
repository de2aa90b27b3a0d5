#include <memory>

#include "cli/cipher_options.h"
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/output_target.h"
#include "cli/stream_options.h"
#include "managers/cipher_manager.h"
#include "protection/coding_sink.h"
#include "protection/format_registry.h"

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

}  // namespace

CommandAction AddMacCommand(CLI::App& app, CommandContext& context) {
  struct MacOptions : CipherOptions, StreamOptions {};
  auto options = std::make_shared<MacOptions>();
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
  AddStreamOptions(*command, *options);

  return [options, &context]() {
    TCipherManager manager;
    THashManager hashManager;
    SetUpAndKeyCipher(manager, hashManager, *options, context.in);
    TCipher& cipher = manager.CipherObject();
    OutputTarget target(options->output, context.out);
    // The data runs through the chain without being written; the chain
    // then holds the MAC value.
    DiscardingSink nothing;
    CodingSink run(cipher, caDigest, nothing);
    PumpCommandInput(*options, options->file, context, run);
    const std::int32_t format = *ParseFormatOption(options->format);
    target.WriteString(BytesToText(cipher.ChainBlock(), cipher.BlockSize, format) + "\n");
    target.Commit();
    return kExitOk;
  };
}

}  // namespace velunor::cli
