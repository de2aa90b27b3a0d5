#include "widgets/form.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace velunor {

namespace {

// The form that had the focus last, of all forms of the program.
QPointer<TForm>& LastActivatedForm() {
  static QPointer<TForm> form;
  return form;
}

}  // namespace

// Sees every key of the program before the widget it is meant for.
class TForm::TKeyPreview : public QObject {
 public:
  explicit TKeyPreview(TForm& form) : QObject(&form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
      return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &form_) return false;
    return form_.PreviewKey(*widget, *static_cast<QKeyEvent*>(event));
  }

 private:
  TForm& form_;
};

TForm::TForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  qApp->installEventFilter(new TKeyPreview(*this));
}

TForm::~TForm() = default;

void TForm::SetClientSize(int width, int height) {
  setFixedSize(width, height);
}

void TForm::AddFormAction(QAction* action) {
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  formActions_.emplace_back(action);
}

void TForm::SetCancelButton(QAbstractButton* button) {
  auto* cancel = new QAction(this);
  cancel->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(cancel, &QAction::triggered, this, [this] {
    if (cancelButton_ && cancelButton_->isEnabled() && cancelButton_->isVisible()) {
      cancelButton_->click();
    }
  });
  cancelButton_ = button;
  AddFormAction(cancel);
}

QAction* TForm::FormActionFor(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QPointer<QAction>& action : formActions_) {
    if (action && action->isEnabled() && action->shortcut() == pressed) return action;
  }
  return nullptr;
}

bool TForm::PreviewKey(QWidget& target, QKeyEvent& key) {
  if (key.type() == QEvent::KeyPress && (TypesWithAlt(key) || PressesFocusedButton(target, key))) {
    return true;
  }
  QAction* action = FormActionFor(key);
  if (action == nullptr) return false;
  if (key.type() == QEvent::ShortcutOverride) {
    // Claim the key, so that it comes here as a key press and no other
    // shortcut or the focused control's own handling takes it first.
    key.accept();
    return true;
  }
  action->trigger();
  return true;
}

bool TForm::TypesWithAlt(const QKeyEvent& key) {
  // Alt with a letter is a mnemonic; one whose control is disabled arrives
  // here as an ordinary key, and would type its letter. Ctrl+Alt is AltGr on
  // Windows, which types "@" or "€", so it passes.
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
         !key.text().isEmpty() && key.text().front().isPrint();
}

bool TForm::PressesFocusedButton(QWidget& target, const QKeyEvent& key) {
  auto* button = qobject_cast<QPushButton*>(&target);
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  if (button == nullptr || !enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    return false;
  }
  // Held down, Enter presses the button once.
  if (button->isEnabled() && !key.isAutoRepeat()) button->click();
  return true;
}

bool TForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) HandleActivation();
  return QWidget::event(event);
}

void TForm::HandleActivation() {
  QPointer<TForm>& last = LastActivatedForm();
  if (last == this) return;
  const QPointer<TForm> previous = last;
  last = this;
  if (previous) previous->FormDeactivate();
  FormActivate();
}

void TForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  constexpr Qt::WindowStates kOtherSizes = Qt::WindowMaximized | Qt::WindowFullScreen;
  if ((windowState() & kOtherSizes) != 0) setWindowState(windowState() & ~kOtherSizes);
}

void TForm::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    if (const QScreen* desktop = screen()) {
      const QRect area = desktop->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
  }
  QWidget::showEvent(event);
  // A window manager gives a new window the focus; without one nobody
  // does, and the keyboard would go nowhere until the first click.
  activateWindow();
}

}  // namespace velunor
