#include <memory>
#include <optional>

#include "cli/cli_app.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/output_target.h"
#include "cli/stream_options.h"
#include "cli/text_input.h"
#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::cli {

namespace {

struct ConvertOptions : StreamOptions {
  std::string to;
  std::string from;
  std::string file;
};

// Adds a format option whose value must be a format name or number.
CLI::Option* AddFormatOption(CLI::App& command, const std::string& name, std::string& target,
                             const std::string& description) {
  return command.add_option(name, target, description + " (" + FormatOptionNames() + ")")
      ->check(CLI::Validator(
          [](const std::string& value) {
            return ParseFormatOption(value) ? std::string() : "unknown text format: " + value;
          },
          "FORMAT"));
}

}  // namespace

CommandAction AddConvertCommand(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* command = app.add_subcommand(
      "convert",
      "Write bytes as text in a format (--to), or read such text back into bytes (--from)");
  auto* to = AddFormatOption(*command, "--to", options->to, "write the input bytes as text");
  auto* from = AddFormatOption(*command, "--from", options->from, "read the input text as bytes");
  to->excludes(from);
  command->add_option("FILE", options->file, "input file (default or -: standard input)");
  AddStreamOptions(*command, *options);
  command->callback([to, from] {
    if (to->count() == 0 && from->count() == 0) throw CLI::RequiredError("--to or --from");
  });

  return [options, to, &context]() {
    OutputTarget target(options->output, context.out);
    if (to->count() > 0) {
      const auto number = *ParseFormatOption(options->to);
      const auto encoder = NewTextEncoder(number, target);
      PumpCommandInput(*options, options->file, context, *encoder);
      // Text ends with a line break; copied bytes stay as they are.
      if (number != sfCopy) target.WriteString("\n");
    } else {
      const auto number = *ParseFormatOption(options->from);
      const auto decoder = NewTextDecoder(number, target);
      TextInputSink preparation(number, *decoder);
      PumpCommandInput(*options, options->file, context, preparation);
    }
    target.Commit();
    return kExitOk;
  };
}

}  // namespace velunor::cli
