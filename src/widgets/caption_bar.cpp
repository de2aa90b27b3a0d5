#include "widgets/caption_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "widgets/gradient_form.h"

namespace velunor {

namespace {

TCaptionBar::TWindowManagerMove& WindowManagerMove() {
  static TCaptionBar::TWindowManagerMove move;
  return move;
}

}  // namespace

void TCaptionBar::SetWindowManagerMove(TWindowManagerMove move) {
  WindowManagerMove() = std::move(move);
}

TCaptionBar::TCaptionBar(TGradientForm& form) : QWidget(&form), form_(form) {
  setObjectName(QStringLiteral("CaptionBar"));
  // Everything is drawn in one copy of the composed bar.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void TCaptionBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The form lays the bar out in window coordinates.
  painter.translate(-pos());
  form_.PaintCaptionBar(painter);
}

bool TCaptionBar::OnCloseButton(QPoint position) const {
  const TRect button = form_.CloseButtonRect();
  const QPoint inWindow = position + pos();
  return inWindow.x() >= button.left && inWindow.x() < button.right && inWindow.y() >= button.top &&
         inWindow.y() < button.bottom;
}

void TCaptionBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  form_.activateWindow();
  if (OnCloseButton(event->position().toPoint()) &&
      form_.CaptionButtonHints().testFlag(Qt::WindowCloseButtonHint)) {
    drag_ = TDrag::kCloseButton;
    form_.SetCloseButtonDown(true);
    return;
  }
  // The window manager moves the window where it can; without one (or
  // without support for it) the bar follows the pointer itself.
  if (StartWindowManagerMove(event->globalPosition())) return;
  drag_ = TDrag::kMoveByHand;
  grabOffset_ = event->globalPosition().toPoint() - form_.pos();
}

bool TCaptionBar::StartWindowManagerMove(QPointF globalPosition) {
  QWindow* window = form_.windowHandle();
  if (window == nullptr) return false;
  if (!WindowManagerMove()) return window->startSystemMove();
  const QPoint onScreen = (globalPosition * window->devicePixelRatio()).toPoint();
  return WindowManagerMove()(*window, onScreen);
}

void TCaptionBar::mouseMoveEvent(QMouseEvent* event) {
  switch (drag_) {
    case TDrag::kCloseButton:
      form_.SetCloseButtonDown(OnCloseButton(event->position().toPoint()));
      break;
    case TDrag::kMoveByHand:
      form_.move(event->globalPosition().toPoint() - grabOffset_);
      break;
    case TDrag::kNone:
      break;
  }
}

void TCaptionBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const TDrag drag = drag_;
  drag_ = TDrag::kNone;
  if (drag != TDrag::kCloseButton) return;
  form_.SetCloseButtonDown(false);
  // Released over the button, it closes the window as the frame's close
  // button does; moved off it first, nothing happens.
  if (OnCloseButton(event->position().toPoint())) form_.close();
}

}  // namespace velunor
