#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace velunor::encrypter {

// The decisions of mail-client mode that look at texts.

enum class TCodingButton { kEncrypt, kDecrypt };

// The coding button an activation hides once the hand-off file is loaded:
// a text with a space is plain text, to be encrypted, so "Entschlüsseln"
// goes; one without is a cipher text, to be decrypted, so "Verschlüsseln"
// goes. With Ctrl held down neither goes: the user chooses.
std::optional<TCodingButton> CodingButtonToHide(std::string_view loadedText, bool ctrlDown);

// A decrypted text whose first space comes within this many characters
// reads as text.
inline constexpr std::size_t kSpaceExpectedWithin = 50;

// Whether a decryption in mail-client mode is followed by the warning
// "Vermutlich falsches Schlüsselwort!": when the decrypted text has no space
// within its first 50 characters, unless Ctrl is held down.
bool WarnOfWrongKeyword(bool ctrlDown, std::string_view decrypted);

}  // namespace velunor::encrypter
