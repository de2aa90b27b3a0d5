#pragma once

#include <string>
#include <string_view>

#include "files/file_replacement.h"

namespace velunor {

// Rewrites an existing regular file in place, for a file whose directory cannot
// take a second file beside it (no right to create one, or no room for a
// whole second copy). The room for the new content is reserved before a
// byte of the old one is overwritten, so a full disk or a size limit
// leaves the file as it was; should writing fail after that (an I/O
// error), the old content, read beforehand, is written back. Only a crash
// in the middle of the write can leave a mixture, which is why this is the
// second choice. Path, inode, owner and mode stay the same.
// Raises EFileReplacement: kCreate when the file cannot be opened for
// writing, kWrite when the room is missing or writing fails.
void RewriteFileInPlace(const std::string& path, std::string_view content);

// Replaces the file's content: through TFileReplacement where the directory
// can take the temporary file, else by RewriteFileInPlace. The failure
// reported is that of the last way tried.
void ReplaceFileContent(const std::string& path, std::string_view content);

}  // namespace velunor
