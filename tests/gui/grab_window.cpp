// Pictures of X11 windows for the documentation, taken under Xvfb:
//   grab_window WINDOW FILE                    one window
//   grab_window 0 FILE X Y WIDTH HEIGHT        an area of the screen
//   grab_window --stack FILE PICTURE...        pictures one below the other
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <vector>

namespace {

int Fail(const char* message, const char* argument) {
  std::fprintf(stderr, "grab_window: %s %s\n", message, argument);
  return 1;
}

bool ToNumber(const char* text, long long& number) {
  bool ok = false;
  number = QString::fromLatin1(text).toLongLong(&ok, 0);
  return ok;
}

// The pictures stacked on a light background, with a gap between them.
int Stack(const QString& output, const std::vector<QImage>& pictures) {
  constexpr int kGap = 12;
  int width = 0;
  int height = kGap;
  for (const QImage& picture : pictures) {
    width = std::max(width, picture.width());
    height += picture.height() + kGap;
  }
  QImage sheet(width + 2 * kGap, height, QImage::Format_RGB32);
  sheet.fill(QColor(0xe8, 0xe8, 0xe8));
  QPainter painter(&sheet);
  int y = kGap;
  for (const QImage& picture : pictures) {
    painter.drawImage(kGap + (width - picture.width()) / 2, y, picture);
    y += picture.height() + kGap;
  }
  painter.end();
  return sheet.save(output) ? 0 : Fail("cannot write", qPrintable(output));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  if (argc >= 4 && QByteArray(argv[1]) == "--stack") {
    std::vector<QImage> pictures;
    for (int i = 3; i < argc; ++i) {
      pictures.emplace_back(QString::fromLocal8Bit(argv[i]));
      if (pictures.back().isNull()) return Fail("cannot read", argv[i]);
    }
    return Stack(QString::fromLocal8Bit(argv[2]), pictures);
  }
  if (argc != 3 && argc != 7) {
    std::fprintf(stderr,
                 "usage: grab_window WINDOW FILE [X Y WIDTH HEIGHT]\n"
                 "       grab_window --stack FILE PICTURE...\n");
    return 2;
  }
  long long numbers[5] = {0, 0, 0, -1, -1};
  for (int i = 0; i < argc - 2; ++i) {
    const int argument = i == 0 ? 1 : i + 2;
    if (!ToNumber(argv[argument], numbers[i])) return Fail("not a number:", argv[argument]);
  }
  const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
      static_cast<WId>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]),
      static_cast<int>(numbers[3]), static_cast<int>(numbers[4]));
  if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]))) {
    return Fail("cannot grab window", argv[1]);
  }
  return 0;
}
