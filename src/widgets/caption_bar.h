#pragma once

#include <QPoint>
#include <QWidget>

namespace velunor {

class TGradientForm;

// The caption bar of a TGradientForm, on top of the window: shows what the
// form draws, moves the window when dragged and closes it by its close
// button, as the window manager's title bar would.
class TCaptionBar : public QWidget {
 public:
  explicit TCaptionBar(TGradientForm& form);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class TDrag { kNone, kCloseButton, kMoveByHand };

  bool OnCloseButton(QPoint position) const;

  TGradientForm& form_;
  TDrag drag_ = TDrag::kNone;
  // While the window is moved by hand: the pointer's place in the window.
  QPoint grabOffset_;
};

}  // namespace velunor
