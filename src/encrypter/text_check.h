#pragma once

#include <string_view>

namespace velunor::encrypter {

// Whether a decrypted text (code page 1252 bytes) reads as text, the check
// that stands between a wrong keyword and a mail full of garbage. It holds
// the window's wrong-keyword rule (a space among the first 50 characters),
// which also a text passes that ends with the window's line end CR LF (a
// single word the window encrypted), and adds what that rule lets through:
// a text holds no control characters but TAB, CR and LF, and none of the
// five bytes code page 1252 leaves undefined. A wrong keyword gives bytes of
// every value, so a text of a few dozen of them almost never passes both.
// An empty text passes.
bool LooksLikeText(std::string_view decrypted);

}  // namespace velunor::encrypter
