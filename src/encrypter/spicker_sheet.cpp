#include "encrypter/spicker_sheet.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "encrypter/code_page_fault.h"
#include "encrypter/spicker_file.h"
#include "runtime/codepage1252.h"
#include "runtime/streams.h"
#include "runtime/text_lines.h"

namespace velunor::encrypter {

TSpickerSheet::TSpickerSheet(TSpickerMemo& memo, std::string fileName)
    : memo_(memo), fileName_(std::move(fileName)) {}

void TSpickerSheet::Load() {
  if (done_ || memo_.Modified()) return;
  if (auto kept = ReadKeptText(KeptTextFileName(fileName_))) {
    std::erase(*kept, '\r');
    memo_.SetText(*kept);
    // Not in the file yet: the next save puts it there.
    memo_.SetModified(true);
  } else if (FileExists(fileName_)) {
    ByteString text = ReadSpickerText(fileName_);
    std::erase(text, '\r');  // every break is CR LF; the memo breaks lines at LF
    const std::string content = Cp1252ToUtf8(text);
    // Setting the text again would move the cursor to the start.
    if (content != memo_.Text()) memo_.SetText(content);
    memo_.SetModified(false);
  }
}

void TSpickerSheet::Save() {
  std::u32string outside;
  const auto text = Utf8ToCp1252(memo_.Text(), &outside);
  // A memo never gives broken UTF-8; should one, nothing of it is saved in its place.
  CheckCodePage(TCodePageField::kCheatSheet, text ? outside : U"\uFFFD");
  SaveSpickerText(fileName_, WithCrLfBreaks(*text));
  memo_.SetModified(false);
}

void TSpickerSheet::SaveAndFinish() {
  Save();
  done_ = true;
}

void TSpickerSheet::Abandon() {
  done_ = true;
}

void TSpickerSheet::SaveAtProgramEnd() {
  if (done_) return;
  try {
    Save();
  } catch (const std::exception& failure) {
    KeepUnsavedText(failure.what());
  }
}

void TSpickerSheet::KeepUnsavedText(const char* reason) {
  try {
    KeepText(KeptTextFileName(fileName_), memo_.Text());
  } catch (const std::exception& failure) {
    // Nowhere left to put it but the terminal, should there be one.
    std::fprintf(stderr, "cmvelunor: %s; %s\n", reason, failure.what());
  }
}

}  // namespace velunor::encrypter
