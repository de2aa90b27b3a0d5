#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"
#include "runtime/exceptions.h"

namespace velunor::encrypter {

// The file of the keyword cheat sheet: where it lives, how its text is read
// and saved, and where a text that could not be saved is kept. The text is
// 8-bit (code page 1252) with CR LF between lines.

// The longest text the cheat sheet holds, in bytes with CR LF breaks: far
// more than a list of keywords needs, and small enough for the text box to
// stay quick.
inline constexpr std::size_t kMemoCapacity = 1024 * 1024;

// The file name in the user's data folder, for a program whose own folder
// cannot be written (an installed program).
inline constexpr const char* kFallbackSpickerFileName = "cmvelunor.msg";

// The user's data folder takes the program's notes in a folder of this name.
inline constexpr const char* kUserDataFolderName = "CMVelunor";

// Appended to the file's name for the copy of a text that could not be
// saved when the program ended (UTF-8, so that no character is lost).
inline constexpr const char* kKeptTextSuffix = ".utf8";

// The longest kept text that is read back, in bytes: kMemoCapacity
// characters of up to four bytes of UTF-8 each.
inline constexpr std::size_t kKeptTextCapacity = 4 * kMemoCapacity;

// "Text überschreitet Memo-Kapazität": a text longer than kMemoCapacity.
class EMemoCapacity : public Exception {
 public:
  EMemoCapacity();
};

// A kept text of more characters than the cheat sheet holds, at `Path()`.
class EKeptTextTooLong : public Exception {
 public:
  explicit EKeptTextTooLong(std::string path);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The program file's path with its extension replaced by ".msg": the part of
// the file name from its last "." on is replaced, a name without "." gets
// ".msg" appended. Dots in folder names do not count (on Windows "\" as
// well as "/" ends a folder name).
std::string SpickerFileNameBeside(std::string_view programFilePath);

// True when the folder exists and files may be created in it.
bool DirectoryIsWritable(const std::string& directory);

// The user's own folder for the program's data: on Windows
// %APPDATA%\CMVelunor; elsewhere $XDG_DATA_HOME/CMVelunor, by default
// ~/.local/share/CMVelunor. Empty when the system names no such place.
std::string UserDataDirectory();

// The cheat sheet's file: beside the program where the program's folder can
// be written, so that a portable copy keeps its notes with it; otherwise
// kFallbackSpickerFileName in `fallbackDirectory`.
std::string ChooseSpickerFileName(const std::string& programFilePath,
                                  const std::string& fallbackDirectory);
// The same with the user's data folder as the fallback.
std::string SpickerFileNameFor(const std::string& programFilePath);

// Where a text that could not be saved at the end of the program is kept.
std::string KeptTextFileName(const std::string& spickerFileName);

// Raises EMemoCapacity for a text of more than kMemoCapacity bytes.
void CheckMemoCapacity(std::size_t textBytes);

// The file's text as the cheat sheet shows it: up to the first zero byte,
// every line break CR LF. Raises EFOpenError ("Datei %s kann nicht geöffnet
// werden") when the file cannot be opened and EMemoCapacity when its text is
// too long; reading stops as soon as that is clear.
ByteString ReadSpickerText(const std::string& path);

// Replaces the file with `text` (code page 1252, CR LF) as a whole or not at
// all; creates the folder of a file in the user's data folder first. A new
// file is readable by its owner only: it holds keywords. Raises
// EMemoCapacity for a text too long, EFCreateError ("Datei %s kann nicht
// erstellt werden") when the file cannot be made and EWriteError
// ("Stream-Write-Fehler") when writing it fails; the old file is then as it
// was. Once saved, a text kept at an earlier end is in the file, and its
// copy goes.
void SaveSpickerText(const std::string& path, std::string_view text);

// The text kept at `path` at an earlier end (UTF-8 with CR LF breaks), or
// nothing when no regular file is there: the program only ever puts one
// there, so a link or a pipe at the name is not followed (nor waited for).
// A text of more than kMemoCapacity characters (CR LF counting two) raises
// EKeptTextTooLong, once at most kKeptTextCapacity bytes have been read;
// a file that cannot be read raises EFOpenError or EReadError.
std::optional<ByteString> ReadKeptText(const std::string& path);

// Keeps `utf8` (LF or CR LF breaks) at `path` with CR LF breaks, readable by
// its owner only. The copy takes the name itself: a link or a pipe put
// there is replaced, never written through. Raises on failure.
void KeepText(const std::string& path, std::string_view utf8);

// What the start of the program tells about a text kept at `path`.
enum class TKeptTextNotice {
  kNone,     // nothing is kept
  kKept,     // a text is kept (or its file cannot be read: the sheet says why)
  kTooLong,  // a text longer than a sheet holds, left to the user
};
TKeptTextNotice KeptTextNotice(const std::string& path);

}  // namespace velunor::encrypter
