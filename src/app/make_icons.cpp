// Writes the application icon in the sizes of the icon theme, as
// <dir>/hicolor/<n>x<n>/apps/cmvelunor.png, for installation, and the same
// pictures as the Windows icon file <dir>/cmvelunor.ico, for the resources of
// the Windows programs.
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <vector>

#include "widgets/glyphs.h"

namespace {

const int kThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

// One picture of an icon file as Windows reads it: a 32-bit bottom-up bitmap
// twice as high as the picture (the colours with their alpha, then the
// transparency mask of older Windows, one bit per pixel), or, for 256 × 256,
// a PNG, as Windows' own large icons are stored.
QByteArray IconPicture(const QImage& picture) {
  QByteArray bytes;
  if (picture.width() == 256) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
  }
  const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  const int size = image.width();
  const int maskRowBytes = (size + 31) / 32 * 4;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(32) << quint32(0)
      << quint32(size * size * 4 + maskRowBytes * size) << qint32(0) << qint32(0) << quint32(0)
      << quint32(0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x)
      out << quint32(image.pixel(x, y));  // B, G, R, A in the file
  }
  for (int y = size - 1; y >= 0; --y) {
    QByteArray row(maskRowBytes, '\0');
    for (int x = 0; x < size; ++x) {
      if (qAlpha(image.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.writeRawData(row.constData(), maskRowBytes);
  }
  return bytes;
}

// An icon file: its directory of pictures, then the pictures.
QByteArray IconFile(const std::vector<QImage>& pictures) {
  std::vector<QByteArray> data;
  for (const QImage& picture : pictures)
    data.push_back(IconPicture(picture));
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out << quint16(0) << quint16(1) << quint16(pictures.size());
  quint32 offset = 6 + 16 * quint32(pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const int size = pictures[i].width();
    out << quint8(size % 256) << quint8(size % 256) << quint8(0) << quint8(0) << quint16(1)
        << quint16(32) << quint32(data[i].size()) << offset;
    offset += quint32(data[i].size());
  }
  for (const QByteArray& picture : data)
    out.writeRawData(picture.constData(), int(picture.size()));
  return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  const QString directory = QString::fromLocal8Bit(argv[1]);
  std::vector<QImage> pictures;
  for (const int size : kThemeSizes) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(directory).arg(size);
    pictures.push_back(velunor::ApplicationIconImage(size));
    if (!QDir().mkpath(folder) ||
        !pictures.back().save(folder + QStringLiteral("/cmvelunor.png"))) {
      std::fprintf(stderr, "cannot write the icon into %s\n", qPrintable(folder));
      return 1;
    }
  }
  const QString iconFile = directory + QStringLiteral("/cmvelunor.ico");
  if (!WriteFile(iconFile, IconFile(pictures))) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(iconFile));
    return 1;
  }
  return 0;
}
