#include "app/hand_off_file.h"

#include "files/error_reason.h"
#include "protection/streams.h"
#include "widgets/rich_text_box.h"

namespace velunor {

namespace {

[[noreturn]] void ReportFailedSave(const std::string& message, int error,
                                   const std::function<void()>& keepResult) {
  keepResult();
  throw Exception(message + " (" + ErrorReason(error) +
                  ").\nDie E-Mail ist unverändert; das Ergebnis steht in der Zwischenablage");
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
