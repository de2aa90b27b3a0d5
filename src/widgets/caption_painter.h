#pragma once

// The pixels of the caption bar's parts, drawn with colours already
// resolved: the three ways of drawing the gradient, a caption button with
// its glyph and the caption text. TGradientForm decides what goes where.

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include "caption/gradient_caption_rules.h"

class QPainter;

namespace velunor {

QRect ToQRect(const TRect& rect);

// The gradient from `start` to `stop` through the dither mask chosen for
// them: composed on a picture of its own, then copied to `rect`.
void PaintDitheredGradient(QPainter& target, const TRect& rect, TRgb start, TRgb stop);

// One band for each of the first `colors` entries of `table`, from the top
// of the bar down to rect.bottom.
void PaintBandedGradient(QPainter& target, const TRect& rect, const TColorTable& table, int colors);

// A strip of the first `colors` - 1 entries of `table`, one pixel high,
// stretched over the bar without smoothing.
void PaintStretchedGradient(QPainter& target, const TRect& rect, const TColorTable& table,
                            int colors);

// A caption button in the button face colour of `palette`, raised or held
// `down`, with its glyph; a disabled one greyed with a light shadow.
void PaintCaptionButton(QPainter& target, const TCaptionButton& button, bool down,
                        const QPalette& palette);

// The caption text two pixels inside `rect`, left-aligned and vertically
// centred on one line, cut with an ellipsis where it does not fit.
void PaintCaptionText(QPainter& target, const TRect& rect, const QString& text, const QFont& font,
                      const QColor& color);

}  // namespace velunor
