#pragma once

#include <QMargins>
#include <QMessageBox>
#include <QRect>
#include <functional>
#include <optional>

class QWindow;

namespace velunor {

// A message box of the program: it opens centred over the window that
// raised it (its parent's window), transient for that window, or centred
// on the screen when it has none; as a whole, with the frame the window
// manager draws around it. Built like a QMessageBox.
class TMessageBox : public QMessageBox {
 public:
  // What the window manager tells of the program's windows, in the
  // screen's pixels; none where it does not tell.
  struct TWindowManagerView {
    // Where a shown window lies, its frame included.
    std::function<std::optional<QRect>(QWindow& window)> outerRect;
    // The frame it will draw around a window not shown yet.
    std::function<std::optional<QMargins>(QWindow& window)> frameToBe;
  };

  using QMessageBox::QMessageBox;

  // How all message boxes learn where their windows are. Without it they
  // take the toolkit's word for it.
  static void SetWindowManagerView(TWindowManagerView view);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceOverOwner();
  // Where `owner` lies, frame included, in the program's pixels.
  static QRect OuterRectOf(QWidget& owner);
  // The frame the box will get, in the program's pixels.
  QMargins FrameToBe();
};

}  // namespace velunor
