// Writes the application icon in the sizes of the icon theme, as
// <dir>/hicolor/<n>x<n>/apps/cmvelunor.png, for installation.
#include <QDir>
#include <QImage>
#include <cstdio>

#include "widgets/glyphs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString folder =
        QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (!QDir().mkpath(folder) ||
        !velunor::ApplicationIconImage(size).save(folder + QStringLiteral("/cmvelunor.png"))) {
      std::fprintf(stderr, "cannot write the icon into %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
