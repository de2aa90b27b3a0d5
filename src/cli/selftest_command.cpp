#include <algorithm>
#include <ostream>

#include "cipher/cipher_registry.h"
#include "cipher/cipher_selftest.h"
#include "cli/cli_app.h"
#include "cli/command.h"
#include "hash/hash_registry.h"

namespace velunor::cli {

namespace {

bool HashSelfTest(const THashClass& cls) {
  const ProtectionRef<THash> hash = cls.Create();
  hash->Init();
  hash->AddData(SelfTestInput, sizeof SelfTestInput);
  hash->Finish();
  const auto known = cls.KnownAnswerData();
  return std::equal(known.begin(), known.end(), hash->DigestBuffer());
}

bool Report(std::ostream& out, std::string_view className, bool passed) {
  out << (passed ? "ok    " : "FAIL  ") << className << '\n';
  return passed;
}

}  // namespace

CommandAction AddSelfTestCommand(CLI::App& app, CommandContext& context) {
  app.add_subcommand("selftest",
                     "Check every registered hash and cipher against its known-answer data");
  return [&context]() {
    bool allPassed = true;
    for (const auto& entry : HashRegistry().Entries()) {
      allPassed &= Report(context.out, entry.cls->ClassName(), HashSelfTest(*entry.cls));
    }
    for (const auto& entry : CipherRegistry().Entries()) {
      allPassed &= Report(context.out, entry.cls->ClassName(), CipherSelfTest(*entry.cls));
    }
    return allPassed ? kExitOk : kExitFailure;
  };
}

}  // namespace velunor::cli
