#include "app/form_ask_keyword.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "app/application.h"
#include "encrypter/caption_description.h"
#include "encrypter/code_page_fault.h"
#include "encrypter/keyword_rule.h"
#include "runtime/form_description.h"
#include "runtime/support.h"
#include "widgets/fixed_layout.h"
#include "widgets/glyphs.h"

namespace velunor {

namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 100;

// The encrypter window's caption bar: the gradient stops at the tooltip
// colour, with the system's caption font.
const TFormDescription& StoredDescription() {
  static const TFormDescription description = {
      encrypter::CaptionDescription("FormAskKeyword"),
  };
  return description;
}

// The encrypter window's texts, in its translation.
QString WindowText(const char* text) {
  return QCoreApplication::translate("velunor::TFormVelunor", text);
}

}  // namespace

TFormAskKeyword::TFormAskKeyword(const QString& prompt, QWidget* parent) : TGradientForm(parent) {
  setWindowTitle(tr("CMVelunor - Schlüsselwort"));
  setWindowIcon(ApplicationIcon());
  QFont font = this->font();
  font.setPixelSize(11);
  setFont(font);
  ReadFormDescription(StoredValues(), StoredDescription());
  SetClientSize(kClientWidth, kClientHeight);
  QWidget* client = ClientArea();
  LabelPrompt =
      NewLabel(client, prompt.isEmpty() ? WindowText("Schlüsselwort: ") : prompt, QPoint(10, 10));
  EditKeyword = new QLineEdit(client);
  EditKeyword->setGeometry(10, 27, 340, 21);
  EditKeyword->setEchoMode(QLineEdit::Password);
  EditKeyword->setMaxLength(static_cast<int>(encrypter::kMaxKeywordBytes));
  EditKeyword->setToolTip(
      WindowText("Achtung: Zwischen Groß- und Kleinschreibung wird unterschieden!!!"));
  LabelRule =
      NewLabel(client, WindowText("Das Schlüsselwort muß zwischen 3 und 70 Zeichen lang sein"),
               QPoint(10, 52));
  ButtonOK = NewButton(client, WindowText("&OK"), QRect(196, 68, 75, 25));
  ButtonEsc = NewButton(client, WindowText("Abbrechen"), QRect(275, 68, 75, 25));
  ButtonOK->setEnabled(false);
  SetCancelButton(ButtonEsc);
  setObjectName(QStringLiteral("FormAskKeyword"));
  EditKeyword->setObjectName(QStringLiteral("EditKeyword"));

  connect(EditKeyword, &QLineEdit::textChanged, this, [this](const QString& text) {
    ButtonOK->setEnabled(
        encrypter::KeywordLengthAllowed(static_cast<std::size_t>(text.toUcs4().size())));
  });
  connect(EditKeyword, &QLineEdit::returnPressed, ButtonOK, &QPushButton::click);
  connect(ButtonOK, &QPushButton::clicked, this,
          [this] { RunHandler(this, [this] { ButtonOKClick(); }); });
  connect(ButtonEsc, &QPushButton::clicked, this, &QWidget::close);
}

void TFormAskKeyword::FormActivate() {
  EditKeyword->setFocus();
}

void TFormAskKeyword::ButtonOKClick() {
  if (!ButtonOK->isEnabled()) return;
  QString text = EditKeyword->text();
  const QList<uint> codes = text.toUcs4();
  const encrypter::TKeywordBytes keyword =
      encrypter::KeywordFromCharacters(std::u32string(codes.begin(), codes.end()));
  // The error box words the fault (FailureText).
  encrypter::CheckCodePage(encrypter::TCodePageField::kKeyword, keyword.unrepresentable);
  QByteArray utf8 = text.toUtf8();
  SecureFill(text.data(), 0, static_cast<std::size_t>(text.size()) * sizeof(QChar));
  EditKeyword->clear();
  given_ = true;
  emit KeywordGiven(utf8);
  SecureFill(utf8.data(), 0, static_cast<std::size_t>(utf8.size()));
}

void TFormAskKeyword::closeEvent(QCloseEvent* event) {
  event->accept();
  if (!given_) emit Cancelled();
}

}  // namespace velunor
