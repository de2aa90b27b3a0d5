
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/output_target.h"
#include "cli/stream_options.h"
#include "encrypter/coding_profile.h"
#include "hash/hash_registry.h"
#include "protection/coding_sink.h"
#include "protection/format_registry.h"
#include "runtime/exceptions.h"

namespace velunor::cli {

namespace {

struct DigestOptions : StreamOptions {
  // The keyword's hash in the window's coding.
  std::string hash = encrypter::kHashAlgorithm;
  std::string format = "hexl";
  std::vector<std::string> files;
};

// The digest of a file or of standard input, read in pieces, so memory use
// does not grow with the input.
ByteString DigestOf(THash& hash, const std::string& path, const DigestOptions& options,
                    CommandContext& context, std::int32_t format) {
  DiscardingSink nothing;
  CodingSink run(hash, caDigest, nothing);
  PumpCommandInput(options, path, context, run);
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
  AddStreamOptions(*command, *options);

  return [options, &context]() {
    const THashClass& cls = *FindHashClass(options->hash);
    const std::int32_t format = *ParseFormatOption(options->format);
    const ProtectionRef<THash> hash = cls.Create();
    OutputTarget target(options->output, context.out);
    if (options->files.empty()) {
      target.WriteString(DigestOf(*hash, "", *options, context, format) + "\n");
      target.Commit();
      return kExitOk;
    }
    int status = kExitOk;
    for (const std::string& file : options->files) {
      try {
        target.WriteString(DigestOf(*hash, file, *options, context, format) + "  " + file + "\n");
      } catch (const Exception& e) {
        context.err << "velunor: " << e.Message() << '\n';
        status = kExitFailure;
      }
    }
    // The digests of the files that were read reach standard output all the
    // same, but a file of -o is replaced only when every file was read.
    if (status == kExitOk) target.Commit();
    return status;
  };
}

}  // namespace velunor::cli
