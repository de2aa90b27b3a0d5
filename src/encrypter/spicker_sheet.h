#pragma once

#include <string>
#include <string_view>

namespace velunor::encrypter {

// The text box of a cheat-sheet window, as the sheet's rules see it: its
// text as UTF-8 with LF between lines, and whether it holds changes that are
// not in the file.
class TSpickerMemo {
 public:
  virtual ~TSpickerMemo() = default;

  // Characters that are none (a lone UTF-16 surrogate) read as U+FFFD.
  virtual std::string Text() = 0;
  // Replaces the whole text; a byte that is no UTF-8 shows as U+FFFD.
  virtual void SetText(std::string_view utf8) = 0;
  virtual bool Modified() = 0;
  virtual void SetModified(bool modified) = 0;
};

// The rules of one cheat-sheet window "Spickzettel für Schlüsselwörter":
// its text lives in one file (SpickerFileNameFor) and is saved whenever the
// window closes or the focus goes to another window of the program; the
// window calls the step named after its event.
//
// Nothing is lost: a save replaces the file as a whole or not at all, a
// window whose save failed stays open with its text, and a window whose file
// could not be read closes without saving, leaving the file as it was. At an
// end of the program nobody can answer (SIGTERM as a session ends) a text
// that cannot be saved is kept as UTF-8 beside the file and comes back in
// the next sheet. Once a window has had its last word (Done) it never
// writes the file again, so no hidden window can later write an older text
// over a newer one.
class TSpickerSheet {
 public:
  TSpickerSheet(TSpickerMemo& memo, std::string fileName);

  const std::string& FileName() const { return fileName_; }
  bool Done() const { return done_; }

  // The window has become active: it shows the text kept at an earlier end,
  // else the file's text (an unchanged text is not set again); a memo back
  // after a failed save keeps the text it could not save. Raises when the
  // file or the kept text cannot be read: the window must then close
  // without saving (Abandon).
  void Load();
  // Saves the memo's text into the file. Raises when it cannot: ECodePageFault
  // for characters code page 1252 lacks, or the failure of SaveSpickerText;
  // the text stays in the memo.
  void Save();
  // Saves and has had its last word: the window closes. Raises like Save,
  // and is then not done.
  void SaveAndFinish();
  // Has had its last word without saving.
  void Abandon();
  // At the end of the program, which cannot wait for an answer (the session
  // may be ending): a sheet not yet done saves, and a text that cannot be
  // saved is kept beside the file instead; the next start says so.
  void SaveAtProgramEnd();

 private:
  // Keeps the memo's text as UTF-8 beside the file.
  void KeepUnsavedText(const char* reason);

  TSpickerMemo& memo_;
  std::string fileName_;
  bool done_ = false;
};

}  // namespace velunor::encrypter
