#include "widgets/fixed_layout.h"

#include <functional>

namespace velunor {

namespace {

// The smallest font a label is made smaller to.
constexpr int kSmallestPixelSize = 9;

// Makes `font` smaller, a pixel at a time, and gives it to the label while
// the label is too wide.
void ShrinkWhileTooWide(QLabel& label, QFont font, const std::function<bool()>& tooWide) {
  while (tooWide() && font.pixelSize() > kSmallestPixelSize) {
    font.setPixelSize(font.pixelSize() - 1);
    label.setFont(font);
  }
}

}  // namespace

QFrame* NewPanel(QWidget* parent, const QRect& geometry, bool raised) {
  auto* panel = new QFrame(parent);
  panel->setGeometry(geometry);
  if (raised) panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  return panel;
}

QPushButton* NewButton(QWidget* parent, const QString& caption, const QRect& geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  return button;
}

QLabel* NewLabel(QWidget* parent, const QString& text, QPoint position, int rightEdge) {
  constexpr qreal kTightestSpacing = -0.5;
  constexpr qreal kSpacingStep = 0.05;
  if (rightEdge < 0) rightEdge = parent->width() - 2;
  auto* label = new QLabel(text, parent);
  const auto overflows = [&] { return position.x() + label->sizeHint().width() > rightEdge; };
  QFont font = label->font();
  for (qreal spacing = -kSpacingStep; overflows() && spacing >= kTightestSpacing;
       spacing -= kSpacingStep) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    label->setFont(font);
  }
  if (overflows()) font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
  ShrinkWhileTooWide(*label, font, overflows);
  label->adjustSize();
  label->move(position);
  return label;
}

QLabel* NewCentredLabel(QWidget* parent, const QString& text, QPoint position, int width) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  ShrinkWhileTooWide(*label, label->font(), [&] { return label->sizeHint().width() > width; });
  label->setGeometry(position.x(), position.y(), width, label->sizeHint().height());
  return label;
}

QLabel* NewRightAlignedLabel(QWidget* parent, const QString& text, QPoint position, int width) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  label->setGeometry(position.x(), position.y(), width, label->sizeHint().height());
  return label;
}

}  // namespace velunor
