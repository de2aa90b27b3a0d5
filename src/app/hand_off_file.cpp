#include "app/hand_off_file.h"

#include <QCoreApplication>

#include "files/error_reason.h"
#include "runtime/streams.h"
#include "widgets/rich_text_box.h"
#include "widgets/window_messages.h"

namespace velunor {

namespace {

[[noreturn]] void ReportFailedSave(const std::string& message, int error,
                                   const std::function<void()>& keepResult) {
  keepResult();
  throw Exception(QCoreApplication::translate("velunor::HandOffFile",
                                              "%1 (%2).\nDie E-Mail ist unverändert; das "
                                              "Ergebnis steht in der Zwischenablage")
                      .arg(WindowMessage(message), WindowMessage(ErrorReason(error)))
                      .toStdString());
}

}  // namespace

void SaveHandOffFile(const TRichTextBox& output, const std::string& path,
                     const std::function<void()>& keepResult) {
  try {
    output.Lines().SaveTextFile(path);
  } catch (const EFCreateError& failure) {
    ReportFailedSave(failure.Message(), failure.Error(), keepResult);
  } catch (const ESaveStreamError& failure) {
    ReportFailedSave(failure.Message(), failure.Error(), keepResult);
  }
}

}  // namespace velunor
