#pragma once

#include <string>

namespace velunor {

// Why a file operation failed, in German as the program's messages are:
// "kein Speicherplatz mehr auf dem Datenträger" for ENOSPC. Error numbers
// without a German text give the system's own (English) text.
std::string ErrorReason(int error);

}  // namespace velunor
