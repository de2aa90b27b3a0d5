#include <iomanip>
#include <memory>
#include <ostream>

#include "cipher/cipher_registry.h"
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "hash/hash_registry.h"
#include "managers/cipher_manager.h"
#include "protection/format_registry.h"

namespace velunor::cli {

namespace {

void PrintRow(std::ostream& out, const std::string& name, const std::string& text) {
  out << std::left << std::setw(26) << name << ' ' << text << '\n';
}

void ListHashes(std::ostream& out) {
  THashManager manager;
  for (const auto& entry : HashRegistry().Entries()) {
    manager.SetHashClass(entry.cls);
    PrintRow(out, manager.Algorithm(), manager.Description());
  }
}

void ListCiphers(std::ostream& out) {
  TCipherManager manager;
  for (const auto& entry : CipherRegistry().Entries()) {
    manager.SelectCipherClass(entry.cls);
    PrintRow(out, manager.Algorithm(), manager.Description());
  }
}

void ListModes(std::ostream& out) {
  for (int mode = cmCTS; mode <= cmCFBMAC; ++mode) {
    const auto m = static_cast<TCipherMode>(mode);
    PrintRow(out, ModeOptionName(m), CipherModeName(m) + " (" + std::to_string(mode) + ")");
  }
}

void ListFormats(std::ostream& out) {
  for (const TStringFormat* format : RegisteredFormats()) {
    PrintRow(out, std::to_string(format->FormatNumber()), format->FormatName());
  }
}

}  // namespace

CommandAction AddListCommand(CLI::App& app, CommandContext& context) {
  auto what = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("list", "List the registered hashes, ciphers, modes or text formats");
  command->add_option("WHAT", *what, "hashes, ciphers, modes or formats")
      ->required()
      ->check(CLI::IsMember({"hashes", "ciphers", "modes", "formats"}));

  return [what, &context]() {
    if (*what == "hashes") ListHashes(context.out);
    if (*what == "ciphers") ListCiphers(context.out);
    if (*what == "modes") ListModes(context.out);
    if (*what == "formats") ListFormats(context.out);
    return kExitOk;
  };
}

}  // namespace velunor::cli
