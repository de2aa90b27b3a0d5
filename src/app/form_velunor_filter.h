#pragma once

#include "app/form_velunor.h"
#include "encrypter/filter_session.h"

namespace velunor {

// The encrypter window as a mail program's filter or external editor: its
// rules and steps are the encrypter core's (encrypter::TFilterSession).
// "&OK" hands the result over and ends the program (QuitRequested); closing,
// "Abbrechen" or Esc hands nothing over (Closed).
//
// Its windows are not the program's single instance: their class is
// encrypter::kFilterWindowClassName.
class TFormVelunorFilter final : public TFormVelunor {
  Q_OBJECT

 public:
  TFormVelunorFilter(platform::TWindowSystem& windowSystem, encrypter::TFilterText text,
                     QWidget* parent = nullptr);
};

}  // namespace velunor
