#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "files/ending_signals.h"

namespace velunor {

// A file's new content, written so that the file holds either its old
// content or the complete new one, never a part of it, not even after a
// crash or a power loss: the content goes into a temporary file beside the
// target, which takes the target's place only once every byte has been
// written and synced to the device; the directory is synced after the
// rename. On any failure the temporary file is removed and the old file is
// left untouched.
//
// On Linux the temporary file has no name while it is written (O_TMPFILE):
// it gets one only at Commit, just before the rename, so that not even a
// killed program leaves a partial file behind. Where the file system or the
// system cannot do that, it is a hidden ".NAME.XXXXXXXX.tmp" from the start,
// removed on every failure and, once the program has asked for it
// (ending_signals.h), at the signals that end the program.
//
// An existing file keeps its permission bits (and, where the process may
// set them, its owner and group); a new file is created with the mode the
// caller gives, less the umask. A symbolic link is followed: the file it
// names is replaced, the link stays. A file with further names (hard links)
// becomes a file of its own under this name; the other names keep the old
// content. A target that is not a regular file (a terminal, a pipe,
// /dev/null) cannot be replaced and is written directly, and a name of one
// of the program's open descriptors (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N, or a link to one of them) is written through that
// descriptor, where it is: into the file or pipe that is open there, at its
// position, so that a shell's "> log", ">> log" or pipe gets what it expects.
// For a file that only the program itself writes and reads, the name itself
// is replaced instead (TTargetName::kNameItself): whatever is there, a link
// or a pipe planted at the name included, gives way to the new file, which
// always has the caller's mode; nothing is ever written through it.
//
// Usage: construct, Write() the content in pieces of any size, Commit().
// Destroying an uncommitted replacement discards it.

// The step that failed: making the temporary file (or opening a target that
// is written directly), writing and syncing it, or putting it in the
// target's place.
enum class TReplacementStep { kCreate, kWrite, kReplace };

// A failed replacement: the step, the target's path and the system's error
// number. what() reads "<path>: <reason>".
class EFileReplacement : public std::system_error {
 public:
  EFileReplacement(TReplacementStep step, const std::string& path, int error);

  TReplacementStep Step() const { return step_; }
  int Error() const { return code().value(); }
  const std::string& Path() const { return path_; }

 private:
  TReplacementStep step_;
  std::string path_;
};

// What a target's name stands for.
enum class TTargetName { kFollowLinks, kNameItself };

class TFileReplacement {
 public:
  // rw for everybody, less the umask: what ordinary programs create.
  static constexpr std::filesystem::perms kOrdinaryNewFileMode =
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
      std::filesystem::perms::group_read | std::filesystem::perms::group_write |
      std::filesystem::perms::others_read | std::filesystem::perms::others_write;
  // rw for the owner only: for files that hold secrets.
  static constexpr std::filesystem::perms kPrivateNewFileMode =
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

  // Raises EFileReplacement (kCreate) when the temporary file cannot be made.
  explicit TFileReplacement(std::string path,
                            std::filesystem::perms newFileMode = kOrdinaryNewFileMode,
                            TTargetName name = TTargetName::kFollowLinks);
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  // Appends bytes; raises EFileReplacement (kWrite) when they cannot all be
  // written. After a failure the replacement is discarded.
  void Write(const void* data, std::size_t size);
  void Write(std::string_view data) { Write(data.data(), data.size()); }

  // Syncs and closes the new content and puts it in the target's place;
  // raises EFileReplacement (kWrite or kReplace) on failure, leaving the
  // target as it was. Once the rename is done a failed sync of the
  // directory is reported too (kReplace): the target then already holds
  // the new content, but a power loss could still bring the old one back.
  void Commit();

  // The file that is replaced (after following links).
  const std::string& Path() const { return target_; }

 private:
  [[noreturn]] void Fail(TReplacementStep step, int error);
  void Discard() noexcept;
  // Gives the content its temporary name: `create(name)` makes the file
  // under a new name beside the target (false with errno on failure) and is
  // tried again while the name is taken. The name is registered for removal
  // at an ending signal. Returns 0, or the error of the last try.
  int TakeTemporaryName(const std::function<bool(const std::string&)>& create);
  // Links the unnamed file in under a temporary name, for the rename.
  void NameUnnamedFile();

  std::string target_;
  std::string temporary_;  // the named temporary file, if there is one
  std::optional<TRemovalAtEndingSignal> removal_;
  bool unnamed_ = false;  // the content is in a file that has no name yet
  int fd_ = -1;
};

// The whole content at once: TFileReplacement, Write, Commit.
void ReplaceFileAtomically(
    const std::string& path, std::string_view content,
    std::filesystem::perms newFileMode = TFileReplacement::kOrdinaryNewFileMode,
    TTargetName name = TTargetName::kFollowLinks);

}  // namespace velunor
