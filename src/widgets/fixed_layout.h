#pragma once

// The controls of the windows' fixed layouts, placed at pixel positions as
// the original windows had them. Where the system's font is wider than the
// original one, a label's text is fitted into its room rather than cut.

#include <QFrame>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace velunor {

// A panel; a raised bevel around it where asked for.
QFrame* NewPanel(QWidget* parent, const QRect& geometry, bool raised = false);

// A push button that is never a default button: Enter presses only the
// button that has the focus.
QPushButton* NewButton(QWidget* parent, const QString& caption, const QRect& geometry);

// A label in its parent's font, sized to its text, which ends before
// `rightEdge` (by default two pixels inside the parent): its letters are
// set closer, by at most half a pixel each, so that it keeps the font of
// the other labels; only a font wider still is made smaller.
QLabel* NewLabel(QWidget* parent, const QString& text, QPoint position, int rightEdge = -1);

// A label centred in a fixed width, its font made smaller until it fits.
QLabel* NewCentredLabel(QWidget* parent, const QString& text, QPoint position, int width);

// A label whose text ends at the right edge of a fixed width.
QLabel* NewRightAlignedLabel(QWidget* parent, const QString& text, QPoint position, int width);

}  // namespace velunor
