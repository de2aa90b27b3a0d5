#pragma once

#include "win32/windows_api.h"

namespace velunor::win32 {

// The 16 × 16 glyphs of the tool buttons, drawn with GDI into `area` (a
// square of 16 layout pixels, scaled): the cheat sheet (a yellow note) and
// the paste glyph (a clipboard with a sheet), as the Linux window draws them.
void DrawCheatSheetGlyph(HDC dc, const RECT& area);
void DrawPasteGlyph(HDC dc, const RECT& area);

}  // namespace velunor::win32
