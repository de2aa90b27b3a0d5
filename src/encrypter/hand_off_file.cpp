#include "encrypter/hand_off_file.h"

#include "files/error_reason.h"
#include "files/in_place_rewrite.h"
#include "runtime/streams.h"

namespace velunor::encrypter {

namespace {

[[noreturn]] void ReportFailedSave(const std::string& message, int error,
                                   const std::function<void()>& keepResult) {
  keepResult();
  throw EHandOffNotSaved(message, ErrorReason(error));
}

}  // namespace

ESaveStreamError::ESaveStreamError(int error)
    : Exception("Das Speichern des Streams ist mißlungen"), error_(error) {}

void SaveTextFile(const std::string& path, std::string_view text) {
  try {
    ReplaceFileContent(path, text);
  } catch (const EFileReplacement& failure) {
    if (failure.Step() == TReplacementStep::kCreate) throw EFCreateError(path, failure.Error());
    throw ESaveStreamError(failure.Error());
  }
}

EHandOffNotSaved::EHandOffNotSaved(std::string failure, std::string reason)
    : Exception(failure + " (" + reason +
                ").\nDie E-Mail ist unverändert; das Ergebnis steht in der Zwischenablage"),
      failure_(std::move(failure)),
      reason_(std::move(reason)) {}

void SaveHandOffFile(const std::string& path, std::string_view result,
                     const std::function<void()>& keepResult) {
  try {
    SaveTextFile(path, result);
  } catch (const EFCreateError& failure) {
    ReportFailedSave(failure.Message(), failure.Error(), keepResult);
  } catch (const ESaveStreamError& failure) {
    ReportFailedSave(failure.Message(), failure.Error(), keepResult);
  }
}

}  // namespace velunor::encrypter
