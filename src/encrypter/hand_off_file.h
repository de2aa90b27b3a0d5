#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "runtime/exceptions.h"

namespace velunor::encrypter {

// The mail client's hand-off file: plain 8-bit text, loaded whole into the
// input box (ReadWholeFile) and replaced whole by the output box's text.

// "Das Speichern des Streams ist mißlungen": writing a text file failed.
class ESaveStreamError : public Exception {
 public:
  explicit ESaveStreamError(int error);
  int Error() const { return error_; }

 private:
  int error_;
};

// Replaces the file's content with `text`, creating the file when it is
// missing. The file holds its old content or the whole text, never a part
// (ReplaceFileContent). Raises EFCreateError ("Datei %s kann nicht erstellt
// werden") when the file cannot be created or opened for writing, and
// ESaveStreamError when writing fails; both carry the system's error number.
void SaveTextFile(const std::string& path, std::string_view text);

// A result that could not be saved into the hand-off file: the letter is as
// it was and the result has gone to the clipboard. Reads "<failure>
// (<reason>).\nDie E-Mail ist unverändert; das Ergebnis steht in der
// Zwischenablage"; a window words it in its language from the parts.
class EHandOffNotSaved : public Exception {
 public:
  EHandOffNotSaved(std::string failure, std::string reason);
  // What failed (a message of the file layer) and why (ErrorReason).
  const std::string& Failure() const { return failure_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string failure_;
  std::string reason_;
};

// Saves the result into the hand-off file (SaveTextFile). After a failure
// `keepResult` puts the result where the user finds it (the clipboard), and
// EHandOffNotSaved says what failed, why, and where the result is.
void SaveHandOffFile(const std::string& path, std::string_view result,
                     const std::function<void()>& keepResult);

}  // namespace velunor::encrypter
