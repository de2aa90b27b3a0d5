#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

class QWindow;

namespace velunor {

class TGradientForm;

// The caption bar of a TGradientForm, on top of the window: shows what the
// form draws, moves the window when dragged and closes it by its close
// button, as the window manager's title bar would.
class TCaptionBar : public QWidget {
 public:
  // Hands a window to the window manager to be moved with the pointer,
  // which is held down at a place of the screen (in its pixels); false when
  // no window manager does that.
  using TWindowManagerMove = std::function<bool(QWindow& window, QPoint screenPosition)>;

  explicit TCaptionBar(TGradientForm& form);

  // How the bars of all forms have their windows moved by the window
  // manager. Without one, the toolkit asks the window manager itself.
  static void SetWindowManagerMove(TWindowManagerMove move);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class TDrag { kNone, kCloseButton, kMoveByHand };

  bool OnCloseButton(QPoint position) const;
  // Lets the window manager move the window from the pointer's place.
  bool StartWindowManagerMove(QPointF globalPosition);

  TGradientForm& form_;
  TDrag drag_ = TDrag::kNone;
  // While the window is moved by hand: the pointer's place in the window.
  QPoint grabOffset_;
};

}  // namespace velunor
