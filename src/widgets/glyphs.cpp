#include "widgets/glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace velunor {

namespace {

using TDrawing = std::function<void(QPainter&)>;

// Draws a picture laid out on a grid of `units` × `units` at `size` pixels.
QImage Render(int size, double units, const TDrawing& draw) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / units, size / units);
  draw(painter);
  return image;
}

QIcon GlyphIcon(const TDrawing& draw) {
  QIcon icon;
  for (const int size : {16, 32, 48})
    icon.addPixmap(QPixmap::fromImage(Render(size, 16, draw)));
  return icon;
}

// Lines of writing on a sheet.
void DrawWriting(QPainter& painter, double left, double right, double top, int count) {
  painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 0.8));
  for (int i = 0; i < count; ++i) {
    const double y = top + 2.0 * i;
    painter.drawLine(QPointF(left, y), QPointF(i == count - 1 ? (left + right) / 2 : right, y));
  }
}

// A yellow note with a folded corner and a few lines on it.
void DrawCheatSheet(QPainter& painter) {
  QPainterPath sheet;
  sheet.moveTo(2.5, 1.5);
  sheet.lineTo(10.5, 1.5);
  sheet.lineTo(13.5, 4.5);
  sheet.lineTo(13.5, 14.5);
  sheet.lineTo(2.5, 14.5);
  sheet.closeSubpath();
  painter.setPen(QPen(QColor(0x80, 0x68, 0x10), 1.0));
  painter.setBrush(QColor(0xFF, 0xEC, 0x8B));
  painter.drawPath(sheet);
  QPainterPath corner;
  corner.moveTo(10.5, 1.5);
  corner.lineTo(10.5, 4.5);
  corner.lineTo(13.5, 4.5);
  painter.setBrush(QColor(0xE8, 0xC8, 0x50));
  painter.drawPath(corner);
  DrawWriting(painter, 4.5, 11.5, 6.5, 4);
}

// A clipboard with a white sheet on it.
void DrawPaste(QPainter& painter) {
  painter.setPen(QPen(QColor(0x5A, 0x3A, 0x1A), 1.0));
  painter.setBrush(QColor(0xB0, 0x7A, 0x40));
  painter.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1.2, 1.2);
  painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.0));
  painter.setBrush(QColor(0xC8, 0xC8, 0xC8));
  painter.drawRoundedRect(QRectF(4, 1, 5, 3), 1, 1);
  painter.setPen(QPen(QColor(0x40, 0x40, 0x60), 1.0));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(6.5, 6.5, 8, 9));
  DrawWriting(painter, 8, 13, 9, 3);
}

// A sheet of text in front of a blue tile, closed by a golden padlock.
void DrawApplicationIcon(QPainter& painter) {
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(0x2F, 0x6D, 0xB5));
  tile.setColorAt(1, QColor(0x17, 0x3A, 0x6B));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

  painter.setPen(QPen(QColor(0x9A, 0xA8, 0xB8), 1.5));
  painter.setBrush(QColor(0xFB, 0xFB, 0xF6));
  painter.drawRect(QRectF(12, 9, 32, 42));
  painter.setPen(QPen(QColor(0x6A, 0x78, 0x8A), 2.5, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 6; ++i) {
    const double y = 16 + 5.5 * i;
    painter.drawLine(QPointF(17, y), QPointF(i % 3 == 2 ? 30 : 39, y));
  }

  painter.setPen(QPen(QColor(0x55, 0x55, 0x5E), 4, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath shackle;
  shackle.moveTo(38, 40);
  shackle.lineTo(38, 33);
  shackle.arcTo(QRectF(38, 25, 14, 16), 180, -180);
  shackle.lineTo(52, 40);
  painter.drawPath(shackle);
  QLinearGradient gold(0, 38, 0, 58);
  gold.setColorAt(0, QColor(0xFF, 0xD5, 0x4A));
  gold.setColorAt(1, QColor(0xC8, 0x8A, 0x10));
  painter.setPen(QPen(QColor(0x7A, 0x52, 0x08), 1.5));
  painter.setBrush(gold);
  painter.drawRoundedRect(QRectF(33, 38, 24, 19), 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x4A, 0x32, 0x05));
  painter.drawEllipse(QPointF(45, 46), 2.5, 2.5);
  painter.drawRect(QRectF(44, 47, 2, 6));
}

}  // namespace

QIcon CheatSheetGlyph() {
  return GlyphIcon(DrawCheatSheet);
}

QIcon PasteGlyph() {
  return GlyphIcon(DrawPaste);
}

QImage ApplicationIconImage(int size) {
  return Render(size, 64, DrawApplicationIcon);
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(ApplicationIconImage(size)));
  }
  return icon;
}

}  // namespace velunor
