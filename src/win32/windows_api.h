#pragma once

// The Win32 API for the window program. winnt.h names a few intrinsics as
// macros that would replace the library's functions of the same names.
#include <windows.h>

#undef RotateLeft32
#undef RotateRight32
#undef RotateLeft64
#undef RotateRight64
