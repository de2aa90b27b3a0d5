#include <memory>

#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/input.h"
#include "cli/output.h"
#include "hash/hash_registry.h"
#include "protection/exceptions.h"
#include "protection/format_registry.h"
#include "protection/streams.h"

namespace velunor::cli {

namespace {

struct DigestOptions {
  std::string hash = "Ripe Message Digest 256";
  std::string format = "hexl";
  std::vector<std::string> files;
};

// Files are digested through the coding pipeline, in chunks, so memory use
// does not grow with the file.
ByteString DigestFile(THash& hash, const std::string& path, std::istream& in, std::int32_t format) {
  if (!IsStandardInput(path) && FileExists(path)) {
    WithFileErrors(path, [&] { hash.ProcessFile(path, path, caDigest); });
  } else {
    // Standard input, a pipe or a device has no size to run over: read what it gives.
    TMemoryStream data(ReadInput(path, in));
    hash.ProcessStream(&data, nullptr, -1, caDigest);
  }
  return BytesToText(hash.DigestBuffer(), hash.DigestSize(), format);
}

}  // namespace

CommandAction AddDigestCommand(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<DigestOptions>();
  CLI::App* command =
      app.add_subcommand("digest", "Print the digest of standard input or of each file");
  command->add_option("--hash", options->hash, "hash name (see `velunor list hashes`)")
      ->check(HashNameValidator())
      ->capture_default_str();
  command
      ->add_option("--format", options->format,
                   "text format of the digest (" + FormatOptionNames() + ")")
      ->check(FormatValidator())
      ->capture_default_str();
  command->add_option("FILE", options->files, "files to digest (default or -: standard input)");

  return [options, &context]() {
    const THashClass& cls = *FindHashClass(options->hash);
    const std::int32_t format = *ParseFormatOption(options->format);
    std::unique_ptr<THash> hash(cls.Create());
    if (options->files.empty()) {
      WriteBytes(context.out, DigestFile(*hash, "", context.in, format) + "\n");
      return kExitOk;
    }
    int status = kExitOk;
    for (const std::string& file : options->files) {
      try {
        WriteBytes(context.out, DigestFile(*hash, file, context.in, format) + "  " + file + "\n");
      } catch (const Exception& e) {
        context.err << "velunor: " << e.Message() << '\n';
        status = kExitFailure;
      }
    }
    return status;
  };
}

}  // namespace velunor::cli
