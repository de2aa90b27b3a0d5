#include "app/window_modes.h"

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>

#include "app/form_ask_keyword.h"
#include "app/form_velunor_filter.h"
#include "files/error_reason.h"
#include "files/file_replacement.h"
#include "runtime/exceptions.h"
#include "runtime/streams.h"

namespace velunor {

namespace {

QString Translate(const char* text) {
  return QCoreApplication::translate("velunor::WindowModes", text);
}

void Say(const QString& text) {
  std::cerr << "cmvelunor: " << text.toStdString() << '\n';
}

const char* const kUsage = QT_TRANSLATE_NOOP(
    "velunor::WindowModes",
    "Aufruf: cmvelunor [DATEI]\n"
    "        cmvelunor --filter [--wrap N]\n"
    "        cmvelunor --edit DATEI [--wrap N]\n"
    "        cmvelunor --ask-keyword [TEXT]\n"
    "--filter: Text von der Standardeingabe, Ergebnis auf die Standardausgabe.\n"
    "--edit: Text aus DATEI, Ergebnis ersetzt DATEI (externer Editor eines E-Mail-Programms).\n"
    "--wrap N: verschlüsselter Text in Zeilen zu N Zeichen (Vorgabe 76, 0: eine Zeile).\n"
    "--ask-keyword: fragt nach einem Schlüsselwort und gibt es aus.\n"
    "Abbrechen endet mit Status 1, Fehler im Aufruf mit 2.");

int ReportFault(const encrypter::TWindowLaunch& launch) {
  using encrypter::TLaunchFault;
  const QString argument = QString::fromStdString(launch.faultArgument);
  switch (launch.fault) {
    case TLaunchFault::kUnknownOption:
      Say(QCoreApplication::translate("velunor::WindowModes", "unbekannte Option %1")
              .arg(argument));
      break;
    case TLaunchFault::kMissingFile:
      Say(QCoreApplication::translate("velunor::WindowModes", "--edit braucht eine Datei"));
      break;
    case TLaunchFault::kBadWrap:
      Say(QCoreApplication::translate("velunor::WindowModes",
                                      "--wrap braucht eine Zahl von 0 bis 998, nicht \"%1\"")
              .arg(argument));
      break;
    case TLaunchFault::kSurplusArgument:
    case TLaunchFault::kNone:
      Say(QCoreApplication::translate("velunor::WindowModes", "überzähliges Argument %1")
              .arg(argument));
      break;
  }
  std::cerr << Translate(kUsage).toStdString() << '\n';
  return encrypter::kExitBadArguments;
}

void WriteAll(int fd, const std::string& bytes) {
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      throw Exception(
          QCoreApplication::translate("velunor::WindowModes",
                                      "Die Standardausgabe nimmt das Ergebnis nicht an (%1)")
              .arg(QString::fromStdString(ErrorReason(errno)))
              .toStdString());
    }
    written += static_cast<std::size_t>(n);
  }
}

std::string ReadStandardInput() {
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

// The edited file keeps its permissions and is replaced whole or not at all.
void ReplaceEditedFile(const std::string& path, const std::string& result) {
  try {
    ReplaceFileAtomically(path, result);
  } catch (const EFileReplacement& failure) {
    throw Exception(
        QCoreApplication::translate("velunor::WindowModes",
                                    "Datei %1 kann nicht gespeichert werden (%2)")
            .arg(QString::fromStdString(path), QString::fromStdString(ErrorReason(failure.Error())))
            .toStdString());
  }
}

// The text of the file to edit; says why and gives nothing when it cannot
// be read.
std::optional<std::string> ReadEditedFile(const std::string& path) {
  int error = EIO;
  try {
    errno = 0;
    return ReadWholeFile(path);
  } catch (const EFOpenError& failure) {
    error = failure.Error();
  } catch (const EStreamError&) {
    if (errno != 0) error = errno;
  }
  Say(QCoreApplication::translate("velunor::WindowModes", "Datei %1 kann nicht gelesen werden (%2)")
          .arg(QString::fromStdString(path), QString::fromStdString(ErrorReason(error))));
  return std::nullopt;
}

int RunFilter(const encrypter::TWindowLaunch& launch, platform::TWindowSystem& windowSystem) {
  encrypter::TFilterText text;
  text.wrapColumns = launch.wrapColumns;
  if (launch.mode == encrypter::TWindowMode::kFilter) {
    text.text = ReadStandardInput();
    text.deliver = [](const std::string& result) { WriteAll(STDOUT_FILENO, result); };
  } else {
    std::optional<std::string> content = ReadEditedFile(launch.file);
    if (!content) return encrypter::kExitCancelled;
    text.text = std::move(*content);
    text.deliver = [file = launch.file](const std::string& result) {
      ReplaceEditedFile(file, result);
    };
  }
  TFormVelunorFilter form(windowSystem, std::move(text));
  QObject::connect(&form, &TFormVelunor::QuitRequested, [] { QCoreApplication::exit(0); });
  QObject::connect(&form, &TFormVelunor::Closed,
                   [] { QCoreApplication::exit(encrypter::kExitCancelled); });
  form.show();
  return QApplication::exec();
}

int AskKeyword(const encrypter::TWindowLaunch& launch) {
  TFormAskKeyword form(QString::fromStdString(launch.prompt));
  QObject::connect(&form, &TFormAskKeyword::KeywordGiven, [](const QByteArray& keyword) {
    try {
      WriteAll(STDOUT_FILENO, keyword.toStdString() + "\n");
      QCoreApplication::exit(0);
    } catch (const Exception& e) {
      Say(QString::fromStdString(e.Message()));
      QCoreApplication::exit(encrypter::kExitCancelled);
    }
  });
  QObject::connect(&form, &TFormAskKeyword::Cancelled,
                   [] { QCoreApplication::exit(encrypter::kExitCancelled); });
  form.show();
  return QApplication::exec();
}

}  // namespace

std::optional<int> RunWindowMode(const encrypter::TWindowLaunch& launch,
                                 platform::TWindowSystem& windowSystem) {
  if (launch.fault != encrypter::TLaunchFault::kNone) return ReportFault(launch);
  switch (launch.mode) {
    case encrypter::TWindowMode::kWindow:
      return std::nullopt;
    case encrypter::TWindowMode::kHelp:
      std::cout << Translate(kUsage).toStdString() << '\n';
      return 0;
    case encrypter::TWindowMode::kAskKeyword:
      return AskKeyword(launch);
    case encrypter::TWindowMode::kFilter:
    case encrypter::TWindowMode::kEdit:
      return RunFilter(launch, windowSystem);
  }
  return std::nullopt;
}

}  // namespace velunor
