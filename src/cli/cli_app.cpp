#include "cli/cli_app.h"

#include <iostream>
#include <vector>

#include "cli/command.h"
#include "cli/output.h"
#include "runtime/exceptions.h"

namespace velunor::cli {

namespace {

// The subcommands, in the order `velunor --help` lists them.
constexpr CommandAdder kCommands[] = {
    AddEncryptCommand, AddDecryptCommand, AddMacCommand,      AddDigestCommand,
    AddConvertCommand, AddListCommand,    AddSelfTestCommand,
};

// Parses the arguments and runs the chosen command; output errors are left
// to the caller.
int ParseAndRun(CLI::App& app, int argc, const char* const* argv, CommandContext& context) {
  std::ostream& out = context.out;
  std::ostream& err = context.err;
  std::vector<std::pair<CLI::App*, CommandAction>> actions;
  for (const CommandAdder add : kCommands) {
    const auto before = app.get_subcommands({}).size();
    CommandAction action = add(app, context);
    auto subcommands = app.get_subcommands({});
    for (auto i = before; i < subcommands.size(); ++i)
      actions.emplace_back(subcommands[i], action);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    app.exit(e, out, err);
    return kExitUsage;
  }

  for (auto& [subcommand, action] : actions) {
    if (!subcommand->parsed()) continue;
    try {
      return action();
    } catch (const UsageError& e) {
      err << "velunor: " << e.Message() << '\n';
      return kExitUsage;
    } catch (const DoubtfulDecryption& e) {
      err << "velunor: " << e.Message() << '\n';
      return kExitDoubtful;
    } catch (const velunor::Exception& e) {
      err << "velunor: " << e.Message() << '\n';
      return kExitFailure;
    }
  }
  return kExitUsage;
}

}  // namespace

int Run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err) {
  CLI::App app{"Velunor: encrypt, decrypt, digest and convert text and bytes", "velunor"};
  app.set_version_flag("--version", std::string("velunor ") + VELUNOR_VERSION);
  app.require_subcommand(1);
  CommandContext context{in, out, err};
  int status;
  try {
    status = ParseAndRun(app, argc, argv, context);
    // Results that never reached their reader are a failure, whatever the command did.
    FinishOutput(out);
  } catch (const OutputFailure& e) {
    err << "velunor: " << e.what() << '\n';
    return kExitFailure;
  }
  return status;
}

}  // namespace velunor::cli
