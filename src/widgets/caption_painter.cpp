#include "widgets/caption_painter.h"

#include <qdrawutil.h>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "widgets/system_colors.h"

namespace velunor {

namespace {

// Draws the glyph of a caption button face in `color` into `glyph`, a
// square `size` pixels wide.
void PaintGlyph(QPainter& target, TCaptionButtonFace face, const QRect& glyph, int size,
                const QColor& color) {
  target.save();
  target.setPen(color);
  switch (face) {
    case TCaptionButtonFace::kClose:
      // Two strokes two pixels wide, crossing in the middle.
      for (int i = 0; i < size; ++i) {
        target.fillRect(glyph.left() + i, glyph.top() + i, 2, 1, color);
        target.fillRect(glyph.left() + size - 1 - i, glyph.top() + i, 2, 1, color);
      }
      break;
    case TCaptionButtonFace::kMinimise:
      target.fillRect(QRect(glyph.left(), glyph.bottom() - 1, glyph.width() - 2, 2), color);
      break;
    case TCaptionButtonFace::kMaximise:
      target.drawRect(glyph.adjusted(0, 0, -1, -1));
      target.fillRect(QRect(glyph.left(), glyph.top(), glyph.width(), 2), color);
      break;
    case TCaptionButtonFace::kRestore:
      target.drawRect(glyph.adjusted(2, 0, -1, -3));
      target.drawRect(glyph.adjusted(0, 3, -3, 0));
      break;
    case TCaptionButtonFace::kHelp:
      target.drawText(glyph, Qt::AlignCenter, QStringLiteral("?"));
      break;
  }
  target.restore();
}

}  // namespace

QRect ToQRect(const TRect& rect) {
  return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void PaintDitheredGradient(QPainter& target, const TRect& rect, TRgb start, TRgb stop) {
  const int width = rect.Width();
  const int height = rect.Height();
  const TDitherMask& mask = ChooseDitherMask(start, stop, width);
  QImage bar(width, height, QImage::Format_RGB32);
  QImage tile(mask.width, mask.height, QImage::Format_ARGB32);
  QPainter painter(&bar);
  for (const TDitherStep& step : DitherSteps(start, stop, width, mask)) {
    // The tile shows the previous colour where the mask has a 0 and lets
    // the new colour through elsewhere.
    const QRgb previous = qRgb(step.previous.r, step.previous.g, step.previous.b);
    for (int y = 0; y < mask.height; ++y) {
      for (int x = 0; x < mask.width; ++x) {
        tile.setPixel(x, y, mask.Pixel(x, y) ? qRgba(0, 0, 0, 0) : previous);
      }
    }
    painter.fillRect(QRect(step.x, 0, width - step.x, height), ToQColor(step.next));
    for (int y = 0; y < height; y += mask.height)
      painter.drawImage(step.x, y, tile);
  }
  painter.end();
  target.drawImage(rect.left, rect.top, bar);
}

void PaintBandedGradient(QPainter& target, const TRect& rect, const TColorTable& table,
                         int colors) {
  const int width = rect.Width();
  for (int i = 0; i < colors; ++i) {
    const int left = BandEdge(i, width, colors);
    const int right = BandEdge(i + 1, width, colors);
    target.fillRect(QRect(rect.left + left, 0, right - left, rect.bottom),
                    ToQColor(table[static_cast<std::size_t>(i)]));
  }
}

void PaintStretchedGradient(QPainter& target, const TRect& rect, const TColorTable& table,
                            int colors) {
  // One row of the strip's colours, one per column, stretched to the
  // bar's height without smoothing.
  const int width = rect.Width();
  QImage row(width, 1, QImage::Format_RGB32);
  for (int x = 0; x < width; ++x) {
    const TRgb color = table[static_cast<std::size_t>(StretchedStripPixel(x, width, colors - 1))];
    row.setPixel(x, 0, qRgb(color.r, color.g, color.b));
  }
  target.drawImage(QRect(rect.left, 0, width, rect.bottom), row);
}

void PaintCaptionButton(QPainter& target, const TCaptionButton& button, bool down,
                        const QPalette& palette) {
  const QRect box = ToQRect(button.rect);
  if (box.isEmpty()) return;
  const auto color = [&](TColor system) { return ToQColor(ResolveColor(system, palette)); };
  const QBrush face(color(clBtnFace));
  qDrawWinButton(&target, box, palette, down, &face);
  // The glyph in the middle, one pixel lower right while pressed; greyed
  // with a light shadow where the button does nothing.
  const int size = std::min(box.width(), box.height()) - 5;
  if (size < 2) return;
  QRect glyph(0, 0, size, size);
  glyph.moveCenter(box.center() + (down ? QPoint(1, 1) : QPoint(0, 0)));
  if (button.enabled) {
    PaintGlyph(target, button.face, glyph, size, color(clBtnText));
  } else {
    PaintGlyph(target, button.face, glyph.translated(1, 1), size, color(clBtnHighlight));
    PaintGlyph(target, button.face, glyph, size, color(clBtnShadow));
  }
}

void PaintCaptionText(QPainter& target, const TRect& rect, const QString& text, const QFont& font,
                      const QColor& color) {
  const QRect box(rect.left + 2, rect.top, rect.Width() - 2, rect.Height());
  if (box.isEmpty()) return;
  target.save();
  target.setFont(font);
  target.setPen(color);
  target.setClipRect(box);
  const QString shown = target.fontMetrics().elidedText(text, Qt::ElideRight, box.width());
  target.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  target.restore();
}

}  // namespace velunor
