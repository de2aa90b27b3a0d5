#pragma once

#include <functional>
#include <iosfwd>

#include <CLI/CLI.hpp>

namespace velunor::cli {

// What a command works with: the standard streams of the run.
struct CommandContext {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// A command adds its subcommand and options to the application and returns
// the action that runs it once the arguments are parsed. The action returns
// the exit status.
using CommandAction = std::function<int()>;
using CommandAdder = CommandAction (*)(CLI::App& app, CommandContext& context);

CommandAction AddEncryptCommand(CLI::App& app, CommandContext& context);
CommandAction AddDecryptCommand(CLI::App& app, CommandContext& context);
CommandAction AddMacCommand(CLI::App& app, CommandContext& context);
CommandAction AddDigestCommand(CLI::App& app, CommandContext& context);
CommandAction AddConvertCommand(CLI::App& app, CommandContext& context);
CommandAction AddListCommand(CLI::App& app, CommandContext& context);
CommandAction AddSelfTestCommand(CLI::App& app, CommandContext& context);

}  // namespace velunor::cli
