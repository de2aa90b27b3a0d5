#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "fuzz_file.h"
#include "runtime/text_lines.h"
#include "widgets/rich_text_box.h"

namespace {

FuzzFile* file = nullptr;
velunor::TRichTextBox* box = nullptr;

}  // namespace

// fontconfig keeps its font lists for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// Qt and the text box are set up once, before the runs, so that what Qt
// keeps for the rest of the process is not taken for a leak of a run.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  new QApplication(*argc, *argv);
  file = new FuzzFile;
  box = new velunor::TRichTextBox;
  const char warmUp[] = "a\r\nb\xe4\x80\n";
  box->Lines().LoadTextFile(
      file->Hold(reinterpret_cast<const std::uint8_t*>(warmUp), sizeof warmUp - 1));
  box->Lines().ToVector();
  return 0;
}

// The mail client's hand-off file of any bytes, loaded into the text box as
// the window does: the box shows the file's lines up to its first zero byte,
// every byte as its code page 1252 character, and gives them back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  box->Lines().LoadTextFile(file->Hold(data, size));

  std::string_view stored(reinterpret_cast<const char*>(data), size);
  stored = stored.substr(0, stored.find('\0'));
  const std::vector<velunor::ByteString> lines = velunor::SplitParagraphs(stored);
  if (box->Lines().ToVector() != lines) __builtin_trap();
  if (!box->CharactersOutsideCodePage().empty()) __builtin_trap();
  return 0;
}
