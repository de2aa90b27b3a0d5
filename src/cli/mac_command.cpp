#include <memory>

#include "cli/cipher_options.h"
#include "cli/cli_app.h"
#include "cli/coding_options.h"
#include "cli/command.h"
#include "cli/format_option.h"
#include "cli/hmac.h"
#include "cli/output_target.h"
#include "cli/stream_options.h"
#include "hash/hash_registry.h"
#include "managers/cipher_manager.h"
#include "protection/coding_sink.h"
#include "protection/format_registry.h"

namespace velunor::cli {

namespace {

struct MacOptions : CipherOptions, StreamOptions {
  std::string chain;  // a MAC mode: the chain value instead of the HMAC
  CLI::Option* cipherOption = nullptr;
  CLI::Option* ivOption = nullptr;
};

CLI::Validator MacModeValidator() {
  return CLI::Validator(
      [](const std::string& value) {
        const auto mode = ParseModeOption(value);
        return mode && IsMacMode(*mode)
                   ? std::string()
                   : "not a MAC mode: " + value + " (ctsmac, cbcmac or cfbmac)";
      },
      "{ctsmac,cbcmac,cfbmac}");
}

// Counts the bytes that pass.
class ByteCounter final : public ByteSink {
 public:
  void Write(const std::uint8_t*, std::size_t size) override { count_ += size; }
  std::uint64_t Count() const { return count_; }

 private:
  std::uint64_t count_ = 0;
};

// The bytes of a coding run of `size` bytes that a MAC mode leaves out of
// its value: cmCTSMAC and cmCBCMAC chain the whole blocks of each 4096-byte
// piece and only count the bytes after them. (For a block size that divides
// 4096, those are the bytes after the last whole block.)
std::uint64_t BytesLeftOut(TCipherMode mode, std::uint64_t size, std::int32_t blockSize) {
  if (mode == cmCFBMAC) return 0;
  const auto piece = static_cast<std::uint64_t>(kProcessBufferSize);
  const auto block = static_cast<std::uint64_t>(blockSize);
  return size / piece * (piece % block) + size % piece % block;
}

void PrintHmac(MacOptions& options, CommandContext& context, std::int32_t format) {
  if (options.cipherOption->count() > 0 || options.ivOption->count() > 0)
    throw UsageError("--cipher and --iv choose the cipher of --chain; the HMAC uses none");
  const THashClass& hash = *FindHashClass(options.hash);
  if (HmacBlockSize(hash) == 0) {
    throw UsageError("--hash " + HashClassName(&hash) +
                     ": HMAC needs a hash that takes its input in blocks at least as long as its "
                     "digest, which the checksums and Sapphire II do not");
  }
  HmacSink hmac(hash, ObtainKeyOrKeyword(options, context.in));
  OutputTarget target(options.output, context.out);
  PumpCommandInput(options, options.file, context, hmac);
  target.WriteString(BytesToText(hmac.Value(), format) + "\n");
  target.Commit();
}

// The library's MAC value: a coding run in the MAC mode leaves the data as
// it is, and ends with the chain value in the cipher's scratch block.
void PrintChainValue(MacOptions& options, CommandContext& context, std::int32_t format) {
  options.mode = options.chain;
  TCipherManager manager;
  THashManager hashManager;
  SetUpAndKeyCipher(manager, hashManager, options, context.in);
  TCipher& cipher = manager.CipherObject();
  OutputTarget target(options.output, context.out);
  ByteCounter counter;
  {
    CodingSink run(cipher, caEncode, counter);
    PumpCommandInput(options, options.file, context, run);
  }
  const std::uint64_t size = counter.Count();
  if (const std::uint64_t leftOut = BytesLeftOut(cipher.Mode, size, cipher.BlockSize)) {
    throw UsageError("--chain " + options.chain + " would leave " + std::to_string(leftOut) +
                     " of the " + std::to_string(size) +
                     " bytes out of the value: it chains only " + "the whole " +
                     std::to_string(cipher.BlockSize) + "-byte blocks of each " +
                     std::to_string(kProcessBufferSize) +
                     "-byte piece (without --chain the HMAC covers every byte)");
  }
  target.WriteString(BytesToText(cipher.ScratchBlock(), cipher.BlockSize, format) + "\n");
  target.Commit();
}

}  // namespace

CommandAction AddMacCommand(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<MacOptions>();
  options->format = "hexl";
  CLI::App* command = app.add_subcommand(
      "mac",
      "Print the HMAC of standard input or FILE under a keyword or key (with --chain: the "
      "cipher's chain value)");
  AddCipherOptions(*command, *options);
  command->get_option("--hash")->description(
      "hash of the HMAC (with --chain: the hash that turns the keyword into the key)");
  options->cipherOption = command->get_option("--cipher");
  options->ivOption = command->get_option("--iv");
  options->cipherOption->description("cipher of --chain (default Blowfish)");
  options->ivOption->description("initial vector of --chain in hex (one block)");
  command
      ->add_option("--chain", options->chain,
                   "print the library's chain value of this MAC mode instead: a compatibility "
                   "value, not a secure MAC")
      ->check(MacModeValidator());
  // The name of --chain before the HMAC came, kept for old scripts.
  command->add_option("--mode", options->chain)->check(MacModeValidator())->group("");
  command
      ->add_option("--format", options->format,
                   "text format of the value (" + FormatOptionNames() + ")")
      ->check(FormatValidator())
      ->capture_default_str();
  AddStreamOptions(*command, *options);

  return [options, &context]() {
    const std::int32_t format = *ParseFormatOption(options->format);
    if (options->chain.empty()) {
      PrintHmac(*options, context, format);
    } else {
      PrintChainValue(*options, context, format);
    }
    return kExitOk;
  };
}

}  // namespace velunor::cli
