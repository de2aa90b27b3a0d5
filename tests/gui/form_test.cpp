// The base form (activation, shortcuts ahead of the focused control, the
// cancel button) and the flat glyph button.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "gui/gui_test_support.h"
#include "widgets/flat_glyph_button.h"
#include "widgets/form.h"
#include "widgets/glyphs.h"

using velunor::TFlatGlyphButton;
using velunor::TForm;

namespace {

class ProbeForm : public TForm {
 public:
  ProbeForm() {
    edit = new QLineEdit(this);
    cancel = new QPushButton("Abbrechen", this);
    cancel->move(0, 40);
    paste = new QAction("paste", this);
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    AddFormAction(paste);
    SetCancelButton(cancel);
    SetClientSize(200, 100);
  }

  QLineEdit* edit;
  QPushButton* cancel;
  QAction* paste;
  int activations = 0;
  int deactivations = 0;

 protected:
  void FormActivate() override { ++activations; }
  void FormDeactivate() override { ++deactivations; }
};

bool Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

}  // namespace

class FormTest : public QObject {
  Q_OBJECT

 private slots:
  void onlyFocusFromAnotherFormCountsAsActivation() {
    ProbeForm first;
    ProbeForm second;
    QWidget notAForm;  // stands for a message box or another program's window
    QVERIFY(Activate(first));
    QCOMPARE(first.activations, 1);

    QVERIFY(Activate(notAForm));
    QVERIFY(Activate(first));
    QCOMPARE(first.activations, 1);
    QCOMPARE(first.deactivations, 0);

    QVERIFY(Activate(second));
    QCOMPARE(second.activations, 1);
    QCOMPARE(first.deactivations, 1);
    QVERIFY(Activate(first));
    QCOMPARE(first.activations, 2);
    QCOMPARE(second.deactivations, 1);

    velunor::test::ModalBoxCatcher box;
    QMessageBox::information(&first, "Information", "a notice");
    QVERIFY(box.Caught());
    QVERIFY(Activate(first));
    QCOMPARE(first.activations, 2);
  }

  void formShortcutsComeBeforeTheFocusedControl() {
    ProbeForm form;
    QVERIFY(Activate(form));
    velunor::test::SetClipboardText("clipboard");
    QSignalSpy pasted(form.paste, &QAction::triggered);
    form.edit->setFocus();
    QTest::keyClick(form.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pasted.count(), 1);
    QCOMPARE(form.edit->text(), QString());

    // A disabled action leaves the key to the control.
    form.paste->setEnabled(false);
    QTest::keyClick(form.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pasted.count(), 1);
    QCOMPARE(form.edit->text(), QString("clipboard"));
  }

  void keysOfOtherWindowsAreLeftAlone() {
    ProbeForm form;
    QWidget other;
    auto* edit = new QLineEdit(&other);
    QVERIFY(Activate(form));
    QVERIFY(Activate(other));
    velunor::test::SetClipboardText("clipboard");
    QSignalSpy pasted(form.paste, &QAction::triggered);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pasted.count(), 0);
    QCOMPARE(edit->text(), QString("clipboard"));
  }

  void escPressesTheCancelButtonWhileItIsEnabled() {
    ProbeForm form;
    QVERIFY(Activate(form));
    QSignalSpy clicked(form.cancel, &QPushButton::clicked);
    QTest::keyClick(form.edit, Qt::Key_Escape);
    QCOMPARE(clicked.count(), 1);
    form.cancel->setEnabled(false);
    QTest::keyClick(form.edit, Qt::Key_Escape);
    QCOMPARE(clicked.count(), 1);
  }

  void theFormHasAFixedSizeAndStaysOnTop() {
    ProbeForm form;
    QCOMPARE(form.size(), QSize(200, 100));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  }

  void flatGlyphButtonFollowsItsAction() {
    QWidget window;
    QAction action(velunor::PasteGlyph(), "Text aus der Zwischenablage einfügen", &window);
    action.setToolTip(action.text());
    auto* button = new TFlatGlyphButton(&action, &window);
    QVERIFY(Activate(window));
    QCOMPARE(button->toolTip(), action.text());
    QVERIFY(!button->icon().isNull());
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QCOMPARE(button->iconSize(), QSize(16, 16));
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    QVERIFY(button->autoRaise());

    QSignalSpy triggered(&action, &QAction::triggered);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    action.setEnabled(false);
    QVERIFY(!button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    action.setToolTip("another hint");
    QCOMPARE(button->toolTip(), QString("another hint"));
  }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
