#include "app/failure_text.h"

#include <QCoreApplication>

#include "cheatsheet/form_spicker.h"
#include "encrypter/code_page_fault.h"
#include "encrypter/hand_off_file.h"
#include "encrypter/spicker_file.h"
#include "widgets/message_box.h"
#include "widgets/window_messages.h"

namespace velunor {

namespace {

QString CharactersText(const std::u32string& characters) {
  const std::string one =
      QCoreApplication::translate("velunor::CodePageText", "„%1“ (U+%2)").toStdString();
  const std::string more =
      QCoreApplication::translate("velunor::CodePageText", " und %1 weitere").toStdString();
  return QString::fromStdString(encrypter::DescribeCharacters(characters, {one, more}));
}

QString CodePageFaultText(const encrypter::ECodePageFault& fault) {
  const QString characters = CharactersText(fault.Characters());
  if (fault.Field() == encrypter::TCodePageField::kCheatSheet) {
    return QCoreApplication::translate(
               "velunor::TFormSpicker",
               "Der Spickzettel enthält Zeichen, die der Zeichensatz "
               "Windows-1252 nicht darstellen kann: %1. Bitte ersetzen oder "
               "entfernen Sie diese Zeichen.")
        .arg(characters);
  }
  const QString what =
      fault.Field() == encrypter::TCodePageField::kKeyword
          ? QCoreApplication::translate("velunor::TFormVelunor", "Das Schlüsselwort")
          : QCoreApplication::translate("velunor::TFormVelunor", "Der Text");
  return QCoreApplication::translate(
             "velunor::TFormVelunor",
             "%1 enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen "
             "kann: %2. Bitte ersetzen oder entfernen Sie diese Zeichen.")
      .arg(what, characters);
}

QString KeptTextTooLongText(const std::string& path) {
  return QCoreApplication::translate(
             "velunor::TFormSpicker",
             "Der Text, der beim letzten Programmende in der Datei %1 erhalten blieb, ist "
             "länger, als ein Spickzettel fassen kann (1 MiB). Bitte übernehmen Sie ihn mit "
             "einem Texteditor und löschen Sie danach die Datei.")
      .arg(QString::fromStdString(path));
}

QString HandOffNotSavedText(const encrypter::EHandOffNotSaved& failure) {
  return QCoreApplication::translate(
             "velunor::HandOffFile",
             "%1 (%2).\nDie E-Mail ist unverändert; das Ergebnis steht in der "
             "Zwischenablage")
      .arg(WindowMessage(failure.Failure()), WindowMessage(failure.Reason()));
}

}  // namespace

QString FailureText(const std::exception& failure) {
  if (const auto* fault = dynamic_cast<const encrypter::ECodePageFault*>(&failure)) {
    return CodePageFaultText(*fault);
  }
  if (const auto* tooLong = dynamic_cast<const encrypter::EKeptTextTooLong*>(&failure)) {
    // Left in its file: the sheet opens only once the user has taken it over.
    return KeptTextTooLongText(tooLong->Path());
  }
  if (const auto* notSaved = dynamic_cast<const encrypter::EHandOffNotSaved*>(&failure)) {
    return HandOffNotSavedText(*notSaved);
  }
  return WindowMessage(failure.what());
}

void ReportKeptText(QWidget* parent) {
  const std::string kept = encrypter::KeptTextFileName(TFormSpicker::CurrentSpickerFileName());
  QString text;
  switch (encrypter::KeptTextNotice(kept)) {
    case encrypter::TKeptTextNotice::kNone:
      return;
    case encrypter::TKeptTextNotice::kKept:
      text =
          QCoreApplication::translate("velunor::TFormSpicker",
                                      "Beim letzten Programmende konnte der Spickzettel nicht "
                                      "gespeichert werden. Sein Text ist in der Datei %1 erhalten "
                                      "geblieben; der Spickzettel zeigt ihn beim nächsten Öffnen.")
              .arg(QString::fromStdString(kept));
      break;
    case encrypter::TKeptTextNotice::kTooLong:
      text = KeptTextTooLongText(kept);
      break;
  }
  TMessageBox box(QMessageBox::Information,
                  QCoreApplication::translate("velunor::TFormSpicker", "Information"), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace velunor
