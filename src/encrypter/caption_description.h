#pragma once

#include <string>

#include "runtime/form_description.h"

namespace velunor::encrypter {

// The stored values of the caption bar every window of the program shares:
// the gradient stops at the tooltip colour, with the system's caption font.
TComponentDescription CaptionDescription(std::string formName);

}  // namespace velunor::encrypter
