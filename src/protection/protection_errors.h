#pragma once

#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace velunor {

// A protection chain that would become circular.
class EProtection : public Exception {
 public:
  using Exception::Exception;
};

// A text format that does not exist or refuses its input.
class EStringFormat : public Exception {
 public:
  using Exception::Exception;
};

// The messages of the protection framework and its text formats. (The
// formats' display names, 65316 to 65321, stand with the formats.)
inline constexpr TMessage kCircularProtection{
    65312, "Circular Protection detected, Protection Object is invalid."};
inline constexpr TMessage kFormatNotExists{65313, "String Format \"%d\" not exists."};
inline constexpr TMessage kInvalidFormatInput{65314, "Input is not an valid %s Format."};
inline constexpr TMessage kCannotConvertToFormat{65315, "Input can not be convert to %s Format."};

}  // namespace velunor
