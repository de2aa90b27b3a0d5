#include "encrypter/spicker_session.h"

namespace velunor::encrypter {

TSpickerSession::TSpickerSession(TSpickerWindow& window, std::string fileName)
    : window_(window), sheet_(window, std::move(fileName)) {}

bool TSpickerSession::Try(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
    window_.ShowFailure(std::current_exception());
    return false;
  }
}

void TSpickerSession::GradientFormActivate() {
  // A file that cannot be read must not be overwritten by an empty memo.
  if (Try([this] { sheet_.Load(); })) return;
  sheet_.Abandon();
  window_.Close();
}

void TSpickerSession::GradientFormDeactivate() {
  if (!sheet_.Done()) SaveAndClose();
}

void TSpickerSession::ButtonEscClick() {
  SaveAndClose();
}

void TSpickerSession::SaveAndClose() {
  if (Try([this] { sheet_.SaveAndFinish(); })) window_.Close();
}

bool TSpickerSession::CloseQuery() {
  return sheet_.Done() || Try([this] { sheet_.SaveAndFinish(); });
}

void TSpickerSession::GradientFormDestroy() {
  sheet_.SaveAtProgramEnd();
}

bool TSpickerSession::SaveBeforeProgramEnd() {
  if (sheet_.Done() || Try([this] { sheet_.Save(); })) return true;
  window_.ComeToFront();
  return false;
}

}  // namespace velunor::encrypter
