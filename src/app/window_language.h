#pragma once

#include <functional>
#include <string>

namespace velunor {

// Reads an environment variable; empty when it is not set.
using TEnvironmentReader = std::function<std::string(const char*)>;

// Whether the desktop's language for messages is English. The choice follows
// gettext: the locale for messages is the first of LC_ALL, LC_MESSAGES and
// LANG that is set; the C/POSIX locale keeps the texts untranslated, any
// other takes the first entry of LANGUAGE if there is one, else the locale's
// own language.
bool WantsEnglishTexts(const TEnvironmentReader& environment);

// Loads the English texts of the windows when the environment asks for them,
// and unloads them when it no longer does. The texts are compiled into the
// program; the source texts (German) need no file.
void LoadWindowTranslation();

// A text in the desktop's language, for what the program says before it can
// start its windows (no translation can be loaded into the application yet).
std::string TextBeforeStart(const char* context, const char* source);

}  // namespace velunor
