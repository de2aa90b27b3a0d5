#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "encrypter/hand_off_file.h"
#include "fuzz_file.h"
#include "runtime/plain_text_file.h"
#include "runtime/text_lines.h"

namespace {

FuzzFile* file = nullptr;
std::filesystem::path* folder = nullptr;

}  // namespace

// The result is saved into a real file of its own, as the hand-off file is,
// in a folder that goes when the fuzzer ends.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  file = new FuzzFile;
  char name[] = "/tmp/velunor-handoff-fuzz-XXXXXX";
  if (::mkdtemp(name) == nullptr) __builtin_trap();
  folder = new std::filesystem::path(name);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(*folder, ignored);
  });
  return 0;
}

// The mail client's hand-off file of any bytes, loaded as the input box loads
// it: the lines up to the first zero byte, each with its break as CR LF; the
// loaded text saved as the window saves its result and loaded again comes
// back byte for byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const velunor::ByteString loaded = velunor::LoadPlainTextFile(file->Hold(data, size));

  std::string_view stored(reinterpret_cast<const char*>(data), size);
  stored = stored.substr(0, stored.find('\0'));
  if (velunor::SplitParagraphs(loaded) != velunor::SplitParagraphs(stored)) __builtin_trap();
  if (velunor::WithCrLfBreaks(loaded) != loaded) __builtin_trap();

  const std::string saved = (*folder / "letter.txt").string();
  velunor::encrypter::SaveTextFile(saved, loaded);
  if (velunor::LoadPlainTextFile(saved) != loaded) __builtin_trap();
  return 0;
}
