#pragma once

#include <functional>
#include <string>

namespace velunor {

class TRichTextBox;

// Saves the result into the mail client's hand-off file: the file then
// holds the whole result, or, when saving fails, still the letter as it was
// (TRichTextBoxStrings::SaveTextFile). After a failure `keepResult` puts
// the result where the user finds it (the clipboard), and the raised
// message says what failed, why, and where the result is.
void SaveHandOffFile(const TRichTextBox& output, const std::string& path,
                     const std::function<void()>& keepResult);

}  // namespace velunor
