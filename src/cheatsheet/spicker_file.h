#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"
#include "runtime/exceptions.h"

namespace velunor {

// The file of the keyword cheat sheet: where it lives and how its text is
// read. The text is 8-bit (code page 1252) with CR LF between lines.

// The longest text the cheat sheet holds, in bytes with CR LF breaks: far
// more than a list of keywords needs, and small enough for the text box to
// stay quick.
inline constexpr std::size_t kMemoCapacity = 1024 * 1024;

// The file name in the user's data directory, for a program whose own
// directory cannot be written (an installed program in /usr/bin).
inline constexpr const char* kFallbackSpickerFileName = "cmvelunor.msg";

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

// A kept text of more characters than the cheat sheet holds.
class EKeptTextTooLong : public Exception {
 public:
  EKeptTextTooLong();
};

// The program file's path with its extension replaced by ".msg": the part of
// the file name from its last "." on is replaced, a name without "." gets
// ".msg" appended. Dots in directory names do not count.
std::string SpickerFileNameBeside(std::string_view programFilePath);

// True when the directory exists and files may be created in it.
bool DirectoryIsWritable(const std::string& directory);

// The cheat sheet's file: beside the program where the program's directory
// can be written, so that a portable copy keeps its notes with it;
// otherwise kFallbackSpickerFileName in `fallbackDirectory`.
std::string ChooseSpickerFileName(const std::string& programFilePath,
                                  const std::string& fallbackDirectory);

// Raises EMemoCapacity for a text of more than kMemoCapacity bytes.
void CheckMemoCapacity(std::size_t textBytes);

// The file's text as the cheat sheet shows it: up to the first zero byte,
// every line break CR LF. Raises EFOpenError ("Datei %s kann nicht geöffnet
// werden") when the file cannot be opened and EMemoCapacity when its text is
// too long; reading stops as soon as that is clear.
ByteString ReadSpickerText(const std::string& path);

// The text kept at `path` at an earlier end (UTF-8 with CR LF breaks), or
// nothing when no regular file is there: the program only ever puts one
// there, so a link or a pipe at the name is not followed (nor waited for).
// A text of more than kMemoCapacity characters (CR LF counting two) raises
// EKeptTextTooLong, once at most kKeptTextCapacity bytes have been read;
// a file that cannot be read raises EFOpenError or EReadError.
std::optional<ByteString> ReadKeptText(const std::string& path);

}  // namespace velunor
