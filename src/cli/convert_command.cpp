#include <memory>
#include <optional>

#include "cli/cli_app.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/input.h"
#include "cli/output.h"
#include "cli/text_input.h"
#include "protection/format_registry.h"
#include "protection/string_format.h"

namespace velunor::cli {

namespace {

struct ConvertOptions {
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
  command->callback([to, from] {
    if (to->count() == 0 && from->count() == 0) throw CLI::RequiredError("--to or --from");
  });

  return [options, to, &context]() {
    const ByteString input = ReadInput(options->file, context.in);
    if (to->count() > 0) {
      const auto number = *ParseFormatOption(options->to);
      // Text ends with a line break; copied bytes stay as they are.
      WriteBytes(context.out, BytesToText(input, number) + (number == sfCopy ? "" : "\n"));
    } else {
      const auto number = *ParseFormatOption(options->from);
      WriteBytes(context.out, TextToBytes(PrepareTextInput(input, number), number));
    }
    return kExitOk;
  };
}

}  // namespace velunor::cli
