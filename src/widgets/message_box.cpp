#include "widgets/message_box.h"

#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <algorithm>

namespace velunor {

namespace {

TMessageBox::TWindowManagerView& WindowManagerView() {
  static TMessageBox::TWindowManagerView view;
  return view;
}

// Moves `outer` into `area` as far as it fits, its top left kept inside.
QRect KeptInside(QRect outer, const QRect& area) {
  outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() - outer.width() + 1)));
  outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() - outer.height() + 1)));
  return outer;
}

}  // namespace

void TMessageBox::SetWindowManagerView(TWindowManagerView view) {
  WindowManagerView() = std::move(view);
}

void TMessageBox::showEvent(QShowEvent* event) {
  // The box takes its size from its text here, and the dialog places it by
  // its own rule, which takes 10 and 40 pixels for a frame when the
  // program's windows have none, and the owner's place from the toolkit
  // (see OuterRectOf).
  QMessageBox::showEvent(event);
  if (!event->spontaneous()) PlaceOverOwner();
}

void TMessageBox::PlaceOverOwner() {
  QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  const QScreen* screen = owner != nullptr ? owner->screen() : this->screen();
  if (screen == nullptr) return;
  const QRect over = owner != nullptr ? OuterRectOf(*owner) : screen->availableGeometry();
  const QMargins frame = FrameToBe();
  QRect outer = QRect(QPoint(), size()).marginsAdded(frame);
  outer.moveCenter(over.center());
  outer = KeptInside(outer, screen->availableGeometry());
  setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), size()));
}

QRect TMessageBox::OuterRectOf(QWidget& owner) {
  // The toolkit's word can be wrong for a window shown a moment ago under
  // openbox: it asks the X server where the window is, and how far its
  // frame reaches, when it handles the window's configure notification;
  // openbox may have just put the window into a new frame, still 1 × 1 at
  // 0,0 then, and tells nothing more once the frame is in place, as the
  // window is then where it asked to be.
  QWindow* window = owner.windowHandle();
  if (window != nullptr && WindowManagerView().outerRect) {
    if (const std::optional<QRect> outer = WindowManagerView().outerRect(*window)) {
      const qreal ratio = window->devicePixelRatio();
      return QRectF(QPointF(outer->topLeft()) / ratio, QSizeF(outer->size()) / ratio).toRect();
    }
  }
  return owner.frameGeometry();
}

QMargins TMessageBox::FrameToBe() {
  QWindow* window = windowHandle();
  if (window == nullptr) return {};
  if (WindowManagerView().frameToBe) {
    if (const std::optional<QMargins> frame = WindowManagerView().frameToBe(*window)) {
      const qreal ratio = window->devicePixelRatio();
      return QMargins(qRound(frame->left() / ratio), qRound(frame->top() / ratio),
                      qRound(frame->right() / ratio), qRound(frame->bottom() / ratio));
    }
  }
  return window->frameMargins();
}

}  // namespace velunor
