// How a gradient form composes its caption bar: background, system icon,
// caption buttons, logo and text, each part through a virtual step that a
// derived form may replace; the pixels come from the caption painter.
#include "widgets/gradient_form.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QtMath>

#include "widgets/caption_painter.h"
#include "widgets/system_colors.h"

namespace velunor {

void TGradientForm::PaintCaptionBar(QPainter& painter) {
  TRect rect;
  DrawCaption(painter, repaintState_.value_or(IsCaptionActive()), rect);
}

void TGradientForm::DrawCaption(QPainter& target, bool active, TRect& rect) {
  GetCaptionRect(rect);
  if (rect.IsEmpty()) return;
  // Composed off-screen and copied in one go, so that it never flickers. The
  // picture has the target's pixels (two per pixel at a scale of 2), so that
  // text and glyphs are drawn sharp; the gradient, its dither masks and the
  // buttons keep their sizes in the form's pixels.
  const qreal ratio = target.device() != nullptr ? target.device()->devicePixelRatio() : 1.0;
  QImage bar(qCeil(rect.Width() * ratio), qCeil(rect.Height() * ratio), QImage::Format_RGB32);
  bar.setDevicePixelRatio(ratio);
  // Text takes the size it has on the screen.
  bar.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
  bar.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
  QPainter canvas(&bar);
  canvas.setFont(captionFont_);
  TRect local{0, 0, rect.Width(), rect.Height()};

  bool logoShown = false;
  const bool gradient = properties_.paintGradient == TGFPaintWhen::gfpAlways ||
                        (properties_.paintGradient == TGFPaintWhen::gfpActive && active);
  if (!gradient) {
    FillCaptionSolid(canvas, local, active, clActiveCaption, clInactiveCaption);
  } else if (!logo_.isNull()) {
    FillCaptionSolid(canvas, local, active, properties_.gradientStartColor,
                     properties_.gradientInactiveStartColor);
    logoShown = true;
  } else {
    FillCaptionGradient(canvas, local, properties_.useDithering, active);
  }
  local.left += 1;

  if (!logoShown) {
    if (SystemIconShown()) DrawSystemIcon(canvas, local);
    DrawCaptionButtons(canvas, local);
  } else {
    const bool logoLeft = properties_.logoAlign == TGFLogoAlign::laLeft;
    if (logoLeft && SystemIconShown()) {
      FillCaptionSolid(canvas, local, active, properties_.gradientStartColor,
                       properties_.gradientInactiveStartColor);
      DrawSystemIcon(canvas, local);
    } else if (!logoLeft) {
      FillCaptionSolid(canvas, local, active, properties_.gradientStopColor,
                       properties_.gradientInactiveStopColor);
      DrawCaptionButtons(canvas, local);
    }
    const QImage& logo = active || inactiveLogo_.isNull() ? logo_ : inactiveLogo_;
    const TLogoLayout layout =
        LayOutLogo(local, logo.width(), logo.height(), properties_.logoAlign);
    if (!layout.gradient.IsEmpty()) {
      FillCaptionGradient(canvas, layout.gradient, properties_.useDithering, active);
    }
    canvas.drawImage(QPoint(layout.logo.left, layout.logoTop), logo,
                     QRect(0, 0, layout.logo.Width(), logo.height()));
    if (logoLeft) {
      DrawCaptionButtons(canvas, local);
    } else if (SystemIconShown()) {
      DrawSystemIcon(canvas, local);
    }
    // The text stays beside the logo unless it is meant to run over it.
    if (!properties_.logoLayered) local = Intersect(local, layout.gradient);
  }

  if (onCaptionPaint_) onCaptionPaint_(*this, canvas, local);
  DrawCaptionText(canvas, local, active);
  canvas.end();
  target.drawImage(rect.left, rect.top, bar);
}

void TGradientForm::FillCaptionSolid(QPainter& target, const TRect& rect, bool active,
                                     TColor activeColor, TColor inactiveColor) {
  target.fillRect(ToQRect(rect), ToQColor(ResolveColor(active ? activeColor : inactiveColor)));
}

void TGradientForm::FillCaptionGradient(QPainter& target, const TRect& rect, bool dither,
                                        bool active) {
  const int width = rect.Width();
  if (width < 1) return;
  const TRgb start = ResolveColor(active ? properties_.gradientStartColor
                                         : properties_.gradientInactiveStartColor);
  const TRgb stop =
      ResolveColor(active ? properties_.gradientStopColor : properties_.gradientInactiveStopColor);
  const TColorTable& table = ColorTable(active);
  switch (ChooseGradientFill(dither, start, stop, width, properties_.gradientColors,
                             ScreenUsesPalette())) {
    case TGradientFill::kDithered:
      PaintDitheredGradient(target, rect, start, stop);
      break;
    case TGradientFill::kBanded:
      PaintBandedGradient(target, rect, table, properties_.gradientColors);
      break;
    case TGradientFill::kStretched:
      PaintStretchedGradient(target, rect, table, properties_.gradientColors);
      break;
    case TGradientFill::kNone:
      break;
  }
}

void TGradientForm::DrawSystemIcon(QPainter& target, TRect& rect) {
  QIcon icon = windowIcon();
  if (icon.isNull()) icon = QApplication::windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_TitleBarMenuButton);
  const int size = metrics_.smallIconWidth;
  target.drawPixmap(QRect(rect.left + 1, rect.top + 1, size, size), icon.pixmap(size));
  rect.left += size + 1;
}

void TGradientForm::DrawCaptionButtons(QPainter& target, TRect& rect) {
  for (const TCaptionButton& button :
       LayOutCaptionButtons(rect, BorderStyle(), CaptionButtons(), metrics_)) {
    PaintCaptionButton(target, button,
                       closeButtonDown_ && button.face == TCaptionButtonFace::kClose, palette());
  }
}

void TGradientForm::DrawCaptionText(QPainter& target, const TRect& rect, bool active) {
  const TColor color = active ? properties_.captionTextColor : properties_.inactiveCaptionTextColor;
  PaintCaptionText(target, rect, caption_, captionFont_, ToQColor(ResolveColor(color)));
}

}  // namespace velunor
