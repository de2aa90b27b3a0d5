// Saves a picture of an X11 window as PNG: grab_window WINDOW-ID FILE.
// Used to take the screenshot of the main window under Xvfb.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: grab_window WINDOW-ID FILE\n");
    return 2;
  }
  bool ok = false;
  const WId window = QString::fromLatin1(argv[1]).toULongLong(&ok, 0);
  if (!ok) return 2;
  const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
  if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot grab window %s\n", argv[1]);
    return 1;
  }
  return 0;
}
