#pragma once

#include <QColor>
#include <QPalette>

#include "caption/gradient_caption_rules.h"

namespace velunor {

// A system or RGB colour as a window with `palette` shows it. The system
// colours are those of the palette: the active and inactive caption colours
// are the highlight colours of the active and the inactive group, the info
// background is the tooltip background; an unknown system colour is black.
TRgb ResolveColor(TColor color, const QPalette& palette);

QColor ToQColor(TRgb rgb);

}  // namespace velunor
