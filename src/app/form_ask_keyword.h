#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "widgets/gradient_form.h"

namespace velunor {

// "CMVelunor - Schlüsselwort": asks for a keyword on behalf of another
// program (velunor --keyword-command, VELUNOR_ASKPASS, a mail program's
// action), in the encrypter window's style. The keyword is hidden as it is
// typed; "&OK" (or Enter) is possible once it has 3 to 70 characters, and
// refuses characters that code page 1252 lacks, naming them.
class TFormAskKeyword final : public TGradientForm {
  Q_OBJECT

 public:
  // `prompt`: the text above the keyword box; empty for "Schlüsselwort: ".
  explicit TFormAskKeyword(const QString& prompt, QWidget* parent = nullptr);

  QLabel* LabelPrompt;
  QLineEdit* EditKeyword;
  QLabel* LabelRule;
  QPushButton* ButtonOK;
  QPushButton* ButtonEsc;

 signals:
  // The keyword (UTF-8) was accepted with "&OK".
  void KeywordGiven(const QByteArray& keyword);
  void Cancelled();

 protected:
  void FormActivate() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ButtonOKClick();

  bool given_ = false;
};

}  // namespace velunor
