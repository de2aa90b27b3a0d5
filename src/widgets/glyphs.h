#pragma once

#include <QIcon>
#include <QImage>

namespace velunor {

// The pictures of the window program, drawn in code so that they scale.

// 16 × 16 glyphs of the tool buttons (the image list of the main window:
// image 0 is the cheat sheet, image 1 the paste glyph).
QIcon CheatSheetGlyph();
QIcon PasteGlyph();

// The application icon: a sheet of text with a padlock.
QImage ApplicationIconImage(int size);
QIcon ApplicationIcon();

}  // namespace velunor
