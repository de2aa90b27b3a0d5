#include "files/error_reason.h"

#include <cerrno>
#include <cstring>

namespace velunor {

std::string ErrorReason(int error) {
  switch (error) {
    case ENOSPC:
      return "kein Speicherplatz mehr auf dem Datenträger";
#ifdef EDQUOT
    case EDQUOT:
      return "das Speicherkontingent ist erschöpft";
#endif
    case EFBIG:
      return "die Datei würde zu groß";
    case EACCES:
    case EPERM:
      return "Zugriff verweigert";
    case EROFS:
      return "der Datenträger ist schreibgeschützt";
    case ENOENT:
      return "Datei oder Verzeichnis nicht gefunden";
    case ENOTDIR:
      return "ein Teil des Pfades ist kein Verzeichnis";
    case EISDIR:
      return "das ist ein Verzeichnis";
    case EIO:
      return "Ein-/Ausgabefehler des Datenträgers";
    default:
      return std::strerror(error);
  }
}

}  // namespace velunor
