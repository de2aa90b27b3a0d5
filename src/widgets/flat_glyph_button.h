#pragma once

#include <QToolButton>

class QAction;

namespace velunor {

// A flat tool button that shows its action's 16 × 16 glyph without text,
// runs the action when clicked and follows the action's enabled state and
// hint. It lifts when the pointer is over it and takes no keyboard focus.
class TFlatGlyphButton : public QToolButton {
  Q_OBJECT

 public:
  TFlatGlyphButton(QAction* action, QWidget* parent);
};

}  // namespace velunor
