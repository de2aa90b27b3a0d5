#pragma once

#include <QString>
#include <string>

namespace velunor {

// A failure's text as the windows show it. The coding library and the file
// layer know no toolkit and word their failures in the windows' source
// language; this gives the texts the user's language where a translation is
// loaded. Any other text is returned as it is.
QString WindowMessage(const std::string& message);

}  // namespace velunor
