#include "widgets/form.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
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
    return form_.PreviewKey(*static_cast<QKeyEvent*>(event));
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

bool TForm::PreviewKey(QKeyEvent& key) {
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

void TForm::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    if (const QScreen* desktop = screen()) {
      const QRect area = desktop->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
  }
  QWidget::showEvent(event);
}

}  // namespace velunor
