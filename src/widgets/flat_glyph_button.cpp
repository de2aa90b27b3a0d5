#include "widgets/flat_glyph_button.h"

#include <QAction>

namespace velunor {

TFlatGlyphButton::TFlatGlyphButton(QAction* action, QWidget* parent) : QToolButton(parent) {
  setDefaultAction(action);
  setAutoRaise(true);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setIconSize(QSize(16, 16));
  setFocusPolicy(Qt::NoFocus);
}

}  // namespace velunor
