#include "widgets/gradient_form.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QStyle>
#include <QtMath>

#include <algorithm>

#include "widgets/caption_bar.h"
#include "widgets/gradient_form_values.h"

namespace velunor {

namespace {

// Set while Caption is being assigned, for every form of the program, so
// that the title change it causes does not assign it again.
bool& CaptionGuard() {
  static bool assigning = false;
  return assigning;
}

QRect ToQRect(const TRect& rect) {
  return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

QColor ToQColor(TRgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

TRgb FromQColor(const QColor& color) {
  return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
          static_cast<std::uint8_t>(color.blue())};
}

// The palette colours that stand for the system colours.
struct TSystemColorRole {
  std::uint8_t index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr TSystemColorRole kSystemColorRoles[] = {
    {1, QPalette::Active, QPalette::Window},              // desktop
    {2, QPalette::Active, QPalette::Highlight},           // active caption
    {3, QPalette::Inactive, QPalette::Highlight},         // inactive caption
    {4, QPalette::Active, QPalette::Window},              // menu
    {5, QPalette::Active, QPalette::Base},                // window
    {7, QPalette::Active, QPalette::WindowText},          // menu text
    {8, QPalette::Active, QPalette::WindowText},          // window text
    {9, QPalette::Active, QPalette::HighlightedText},     // caption text
    {13, QPalette::Active, QPalette::Highlight},          // highlight
    {14, QPalette::Active, QPalette::HighlightedText},    // highlighted text
    {15, QPalette::Active, QPalette::Button},             // button face
    {16, QPalette::Active, QPalette::Dark},               // button shadow
    {17, QPalette::Disabled, QPalette::Text},             // grey text
    {18, QPalette::Active, QPalette::ButtonText},         // button text
    {19, QPalette::Inactive, QPalette::HighlightedText},  // inactive caption text
    {20, QPalette::Active, QPalette::Light},              // button highlight
    {21, QPalette::Active, QPalette::Shadow},             // 3D dark shadow
    {22, QPalette::Active, QPalette::Midlight},           // 3D light
    {23, QPalette::Active, QPalette::ToolTipText},        // info text
    {24, QPalette::Active, QPalette::ToolTipBase},        // info background
};

// The hints by which Qt asks the window manager for caption buttons. Any of
// them makes Qt drop FramelessWindowHint (and so ask for a frame after all),
// so a form that draws its frame keeps them to itself.
constexpr Qt::WindowFlags kCaptionButtonHints =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
    Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;

QColor PaletteColor(const QPalette& palette, std::uint8_t index) {
  for (const TSystemColorRole& entry : kSystemColorRoles) {
    if (entry.index == index) return palette.color(entry.group, entry.role);
  }
  return Qt::black;
}

}  // namespace

// ---- Creation ---------------------------------------------------------------

TGradientForm::TGradientForm(QWidget* parent)
    : TForm(parent),
      clientArea_(new QWidget(this)),
      captionBar_(new TCaptionBar(*this)),
      storedValues_(std::make_unique<TGradientFormValues>(*this)) {
  clientArea_->setObjectName(QStringLiteral("ClientArea"));
  // No system draws gradient captions here; UseWin98Gradient has no effect.
  systemHasGradient_ = false;
  lowColorDisplay_ = DisplayHasFourBits(*this);
  captionFont_ = SystemCaptionFont();
  caption_ = windowTitle();
  UpdateMetrics();
  UpdateCaptionFont();
  CalculateColors();
  captionButtonHints_ = windowFlags() & kCaptionButtonHints;
  ApplyFrameFlags();
  LayOutFrame();
}

TGradientForm::~TGradientForm() {
  destroying_ = true;
}

TComponent& TGradientForm::StoredValues() {
  return *storedValues_;
}

QString TGradientForm::Version() const {
  return QStringLiteral("TGradientForm v2.03");
}

QFont TGradientForm::SystemCaptionFont() const {
  return IsToolWindow(BorderStyle()) ? SystemSmallCaptionFont() : SystemNormalCaptionFont();
}

QFont TGradientForm::SystemSmallCaptionFont() {
  // Desktops have no smaller title font for tool windows; their general
  // font is what the small caption of a tool window comes closest to.
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

QFont TGradientForm::SystemNormalCaptionFont() {
  return QFontDatabase::systemFont(QFontDatabase::TitleFont);
}

bool TGradientForm::DisplayHasFourBits(const QWidget& widget) {
  const QScreen* screen = widget.screen();
  return screen != nullptr && screen->depth() == 4;
}

bool TGradientForm::ScreenUsesPalette() const {
  const QScreen* display = screen();
  return display != nullptr && display->depth() <= 8;
}

void TGradientForm::UpdateMetrics() {
  // The bars fit the system's caption fonts with a little room, and are
  // never lower than the classic ones.
  metrics_.smallCaptionHeight = std::max(16, QFontMetrics(SystemSmallCaptionFont()).height() + 3);
  metrics_.captionHeight = std::max(19, QFontMetrics(SystemNormalCaptionFont()).height() + 5);
  metrics_.smallCaptionButtonWidth = metrics_.smallCaptionHeight - 2;
}

// ---- Frame layout -----------------------------------------------------------

QSize TGradientForm::ClientSize() const {
  return clientSize_;
}

void TGradientForm::SetClientSize(int width, int height) {
  clientSize_ = QSize(width, height);
  LayOutFrame();
}

void TGradientForm::SetOuterWidth(int width) {
  const int frame = SystemDrawsCaption() ? 0 : metrics_.fixedFrameWidth;
  SetClientSize(width - 2 * frame, clientSize_.height());
}

void TGradientForm::LayOutFrame() {
  const bool ownFrame = !SystemDrawsCaption();
  const int side = ownFrame ? metrics_.fixedFrameWidth : 0;
  const int bottom = ownFrame ? metrics_.fixedFrameHeight : 0;
  const int top = ownFrame ? metrics_.fixedFrameHeight + metrics_.smallCaptionHeight : 0;
  setFixedSize(clientSize_.width() + 2 * side, clientSize_.height() + top + bottom);
  clientArea_->setGeometry(side, top, clientSize_.width(), clientSize_.height());
  TRect bar;
  GetCaptionRect(bar);
  captionBar_->setGeometry(ToQRect(bar));
  captionBar_->setVisible(ownFrame && !bar.IsEmpty());
  update();
}

void TGradientForm::GetCaptionRect(TRect& rect) const {
  rect = CaptionRect(width(), height(), BorderStyle(), isMinimized(), metrics_);
}

TRect TGradientForm::CloseButtonRect() const {
  TRect bar;
  GetCaptionRect(bar);
  TRect local{1, 0, bar.Width(), bar.Height()};
  for (const TCaptionButton& button :
       LayOutCaptionButtons(local, BorderStyle(), CaptionButtons(), metrics_)) {
    if (button.face == TCaptionButtonFace::kClose) {
      return {button.rect.left + bar.left, button.rect.top + bar.top, button.rect.right + bar.left,
              button.rect.bottom + bar.top};
    }
  }
  return {};
}

TCaptionButtonSet TGradientForm::CaptionButtons() const {
  const Qt::WindowFlags flags = captionButtonHints_;
  TCaptionButtonSet buttons;
  buttons.systemMenu = true;
  buttons.closeForbidden = !flags.testFlag(Qt::WindowCloseButtonHint);
  buttons.minimise = flags.testFlag(Qt::WindowMinimizeButtonHint);
  buttons.maximise = flags.testFlag(Qt::WindowMaximizeButtonHint);
  buttons.help = flags.testFlag(Qt::WindowContextHelpButtonHint);
  buttons.minimised = isMinimized();
  buttons.maximised = isMaximized();
  return buttons;
}

bool TGradientForm::SystemIconShown() const {
  const TBorderStyle style = BorderStyle();
  return captionButtonHints_.testFlag(Qt::WindowSystemMenuHint) &&
         (style == TBorderStyle::bsSingle || style == TBorderStyle::bsSizeable);
}

// ---- Properties -------------------------------------------------------------

void TGradientForm::SetCaption(const QString& caption) {
  bool& guard = CaptionGuard();
  if (guard) return;
  guard = true;
  setWindowTitle(caption);
  caption_ = caption;
  if (isVisible() && !SystemDrawsCaption()) RepaintCaption(IsCaptionActive());
  guard = false;
}

void TGradientForm::SetCaptionFont(const QFont& font) {
  captionFont_ = font;
  useSystemCaptionFont_ = false;
  UpdateCaptionFont();
}

void TGradientForm::SetUseSystemCaptionFont(bool use) {
  if (use == useSystemCaptionFont_) return;
  useSystemCaptionFont_ = use;
  UpdateCaptionFont();
}

void TGradientForm::SetGradientColors(int count) {
  if (!IsValidGradientColors(count) || count == gradientColors_) return;
  gradientColors_ = count;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetCaptionTextColor(TColor color) {
  if (color == captionTextColor_) return;
  captionTextColor_ = color;
  InvalidateCaption();
}

void TGradientForm::SetInactiveCaptionTextColor(TColor color) {
  if (color == inactiveCaptionTextColor_) return;
  inactiveCaptionTextColor_ = color;
  InvalidateCaption();
}

void TGradientForm::SetGradientStartColor(TColor color) {
  startColor_ = color;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetGradientStopColor(TColor color) {
  stopColor_ = color;
  stopColorIsSystem_ = color == clActiveCaption;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetGradientInactiveStartColor(TColor color) {
  inactiveStartColor_ = color;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetGradientInactiveStopColor(TColor color) {
  inactiveStopColor_ = color;
  inactiveStopColorIsSystem_ = color == clInactiveCaption;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetPaintGradient(TGFPaintWhen when) {
  if (when == paintGradient_) return;
  paintGradient_ = when;
  InvalidateCaption();
}

void TGradientForm::SetUseWin98Gradient(bool use) {
  if (use == useWin98Gradient_) return;
  useWin98Gradient_ = use;
  // Kept for the stored description: no system here draws gradients.
  LayOutFrame();
}

void TGradientForm::SetUseDithering(bool use) {
  if (use == useDithering_) return;
  useDithering_ = use;
  InvalidateCaption();
}

void TGradientForm::SetLogo(const QImage& logo) {
  logo_ = logo;
  InvalidateCaption();
}

void TGradientForm::SetInactiveLogo(const QImage& logo) {
  inactiveLogo_ = logo;
  InvalidateCaption();
}

void TGradientForm::SetLogoAlign(TGFLogoAlign align) {
  if (align == logoAlign_) return;
  logoAlign_ = align;
  InvalidateCaption();
}

void TGradientForm::SetLogoLayered(bool layered) {
  if (layered == logoLayered_) return;
  logoLayered_ = layered;
  InvalidateCaption();
}

// ---- State ------------------------------------------------------------------

bool TGradientForm::SystemDrawsGradient() const {
  return useWin98Gradient_ && systemHasGradient_;
}

bool TGradientForm::SystemDrawsCaption() const {
  return SystemDrawsGradient() || lowColorDisplay_;
}

bool TGradientForm::IsCaptionActive() const {
  return isActiveWindow();
}

TRgb TGradientForm::ResolveColor(TColor color) const {
  if (!IsSystemColor(color)) return RgbOf(color);
  return FromQColor(PaletteColor(palette(), SystemColorIndex(color)));
}

void TGradientForm::CalculateColors() {
  FillColorTable(ResolveColor(inactiveStartColor_), ResolveColor(inactiveStopColor_),
                 gradientColors_, colorTable_[0]);
  FillColorTable(ResolveColor(startColor_), ResolveColor(stopColor_), gradientColors_,
                 colorTable_[1]);
}

void TGradientForm::UpdateCaptionFont() {
  const QFont system = SystemCaptionFont();
  if (useSystemCaptionFont_) {
    captionFont_ = system;
    // Bold or not, as the caption fonts of window systems go.
    captionFont_.setWeight(system.weight() >= QFont::Bold ? QFont::Bold : QFont::Normal);
  } else if (system.pixelSize() > 0) {
    captionFont_.setPixelSize(system.pixelSize());
  } else {
    captionFont_.setPointSizeF(system.pointSizeF());
  }
  InvalidateCaption();
}

void TGradientForm::InvalidateCaption() {
  if (!SystemDrawsCaption()) captionBar_->update();
}

void TGradientForm::RepaintCaption(bool active) {
  if (destroying_ || SystemDrawsCaption() || !captionBar_->isVisible()) return;
  repaintState_ = active;
  captionBar_->repaint();
  repaintState_.reset();
}

void TGradientForm::SetCloseButtonDown(bool down) {
  if (down == closeButtonDown_) return;
  closeButtonDown_ = down;
  RepaintCaption(IsCaptionActive());
}

void TGradientForm::SystemColorsChanged() {
  const bool systemDrew = SystemDrawsCaption();
  lowColorDisplay_ = DisplayHasFourBits(*this);
  if (SystemDrawsCaption() != systemDrew) {
    const bool shown = isVisible();
    ApplyFrameFlags();
    LayOutFrame();
    if (shown) show();
  }
  if (!SystemDrawsCaption()) CalculateColors();
  update();
  InvalidateCaption();
}

void TGradientForm::ApplyFrameFlags() {
  Qt::WindowFlags flags = windowFlags() & ~(kCaptionButtonHints | Qt::FramelessWindowHint);
  if (SystemDrawsCaption()) {
    flags |= captionButtonHints_ | Qt::CustomizeWindowHint;
  } else {
    flags |= Qt::FramelessWindowHint;
  }
  setWindowFlags(flags);
}

// ---- Events -----------------------------------------------------------------

void TGradientForm::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ActivationChange:
    case QEvent::WindowStateChange:
      RepaintCaption(IsCaptionActive());
      break;
    case QEvent::WindowTitleChange:
      // A title set from elsewhere becomes the caption.
      if (!CaptionGuard()) SetCaption(windowTitle());
      break;
    case QEvent::PaletteChange:
      SystemColorsChanged();
      break;
    default:
      break;
  }
  TForm::changeEvent(event);
}

bool TGradientForm::event(QEvent* event) {
  if (event->type() == QEvent::ApplicationFontChange || event->type() == QEvent::ThemeChange) {
    // The system's fonts may have changed, and with them the bar's height.
    UpdateMetrics();
    UpdateCaptionFont();
    LayOutFrame();
  }
  return TForm::event(event);
}

void TGradientForm::paintEvent(QPaintEvent* event) {
  TForm::paintEvent(event);
  if (SystemDrawsCaption()) return;
  QPainter painter(this);
  PaintFrame(painter);
}

void TGradientForm::PaintFrame(QPainter& painter) {
  // Border and the row under the bar in the button face colour, the
  // outer two rows raised as a window frame.
  const QRegion frame =
      QRegion(rect()) - QRegion(clientArea_->geometry()) - QRegion(captionBar_->geometry());
  painter.setClipRegion(frame);
  painter.fillRect(rect(), ToQColor(ResolveColor(clBtnFace)));
  qDrawWinPanel(&painter, rect(), palette(), false);
  painter.setClipping(false);
}

// ---- Drawing the bar --------------------------------------------------------

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
  const bool gradient = paintGradient_ == TGFPaintWhen::gfpAlways ||
                        (paintGradient_ == TGFPaintWhen::gfpActive && active);
  if (!gradient) {
    FillCaptionSolid(canvas, local, active, clActiveCaption, clInactiveCaption);
  } else if (!logo_.isNull()) {
    FillCaptionSolid(canvas, local, active, startColor_, inactiveStartColor_);
    logoShown = true;
  } else {
    FillCaptionGradient(canvas, local, useDithering_, active);
  }
  local.left += 1;

  if (!logoShown) {
    if (SystemIconShown()) DrawSystemIcon(canvas, local);
    DrawCaptionButtons(canvas, local);
  } else {
    const bool logoLeft = logoAlign_ == TGFLogoAlign::laLeft;
    if (logoLeft && SystemIconShown()) {
      FillCaptionSolid(canvas, local, active, startColor_, inactiveStartColor_);
      DrawSystemIcon(canvas, local);
    } else if (!logoLeft) {
      FillCaptionSolid(canvas, local, active, stopColor_, inactiveStopColor_);
      DrawCaptionButtons(canvas, local);
    }
    const QImage& logo = active || inactiveLogo_.isNull() ? logo_ : inactiveLogo_;
    const TLogoLayout layout = LayOutLogo(local, logo.width(), logo.height(), logoAlign_);
    if (!layout.gradient.IsEmpty()) {
      FillCaptionGradient(canvas, layout.gradient, useDithering_, active);
    }
    canvas.drawImage(QPoint(layout.logo.left, layout.logoTop), logo,
                     QRect(0, 0, layout.logo.Width(), logo.height()));
    if (logoLeft) {
      DrawCaptionButtons(canvas, local);
    } else if (SystemIconShown()) {
      DrawSystemIcon(canvas, local);
    }
    // The text stays beside the logo unless it is meant to run over it.
    if (!logoLayered_) local = Intersect(local, layout.gradient);
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
  const TRgb start = ResolveColor(active ? startColor_ : inactiveStartColor_);
  const TRgb stop = ResolveColor(active ? stopColor_ : inactiveStopColor_);
  const TColorTable& table = ColorTable(active);
  switch (ChooseGradientFill(dither, start, stop, width, gradientColors_, ScreenUsesPalette())) {
    case TGradientFill::kDithered: {
      QImage bar(width, rect.Height(), QImage::Format_RGB32);
      FillGradientDithered(bar, rect, start, stop);
      target.drawImage(rect.left, rect.top, bar);
      break;
    }
    case TGradientFill::kBanded:
      FillGradientBanded(target, rect, table);
      break;
    case TGradientFill::kStretched:
      FillGradientStretched(target, rect, table);
      break;
    case TGradientFill::kNone:
      break;
  }
}

void TGradientForm::FillGradientDithered(QImage& bar, const TRect& rect, TRgb start, TRgb stop) {
  const int width = rect.Width();
  const int height = rect.Height();
  const TDitherMask& mask = ChooseDitherMask(start, stop, width);
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
}

void TGradientForm::FillGradientBanded(QPainter& target, const TRect& rect,
                                       const TColorTable& table) {
  const int width = rect.Width();
  for (int i = 0; i < gradientColors_; ++i) {
    const int left = BandEdge(i, width, gradientColors_);
    const int right = BandEdge(i + 1, width, gradientColors_);
    target.fillRect(QRect(rect.left + left, 0, right - left, rect.bottom),
                    ToQColor(table[static_cast<std::size_t>(i)]));
  }
}

void TGradientForm::FillGradientStretched(QPainter& target, const TRect& rect,
                                          const TColorTable& table) {
  // One row of the strip's colours, one per column, stretched to the
  // bar's height without smoothing.
  const int width = rect.Width();
  QImage row(width, 1, QImage::Format_RGB32);
  for (int x = 0; x < width; ++x) {
    const TRgb color =
        table[static_cast<std::size_t>(StretchedStripPixel(x, width, gradientColors_ - 1))];
    row.setPixel(x, 0, qRgb(color.r, color.g, color.b));
  }
  target.drawImage(QRect(rect.left, 0, width, rect.bottom), row);
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
    DrawButton(target, button);
  }
}

void TGradientForm::DrawButton(QPainter& target, const TCaptionButton& button) {
  const QRect box = ToQRect(button.rect);
  if (box.isEmpty()) return;
  const bool down = closeButtonDown_ && button.face == TCaptionButtonFace::kClose;
  const QBrush face(ToQColor(ResolveColor(clBtnFace)));
  qDrawWinButton(&target, box, palette(), down, &face);
  // The glyph in the middle, one pixel lower right while pressed; greyed
  // with a light shadow where the button does nothing.
  const int size = std::min(box.width(), box.height()) - 5;
  if (size < 2) return;
  QRect glyph(0, 0, size, size);
  glyph.moveCenter(box.center() + (down ? QPoint(1, 1) : QPoint(0, 0)));
  const auto drawGlyph = [&](const QColor& color, QPoint offset) {
    const QRect g = glyph.translated(offset);
    target.save();
    target.setPen(color);
    switch (button.face) {
      case TCaptionButtonFace::kClose:
        // Two strokes two pixels wide, crossing in the middle.
        for (int i = 0; i < size; ++i) {
          target.fillRect(g.left() + i, g.top() + i, 2, 1, color);
          target.fillRect(g.left() + size - 1 - i, g.top() + i, 2, 1, color);
        }
        break;
      case TCaptionButtonFace::kMinimise:
        target.fillRect(QRect(g.left(), g.bottom() - 1, g.width() - 2, 2), color);
        break;
      case TCaptionButtonFace::kMaximise:
        target.drawRect(g.adjusted(0, 0, -1, -1));
        target.fillRect(QRect(g.left(), g.top(), g.width(), 2), color);
        break;
      case TCaptionButtonFace::kRestore:
        target.drawRect(g.adjusted(2, 0, -1, -3));
        target.drawRect(g.adjusted(0, 3, -3, 0));
        break;
      case TCaptionButtonFace::kHelp:
        target.drawText(g, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    target.restore();
  };
  if (button.enabled) {
    drawGlyph(ToQColor(ResolveColor(clBtnText)), {});
  } else {
    drawGlyph(ToQColor(ResolveColor(clBtnHighlight)), {1, 1});
    drawGlyph(ToQColor(ResolveColor(clBtnShadow)), {});
  }
}

void TGradientForm::DrawCaptionText(QPainter& target, const TRect& rect, bool active) {
  const QRect box(rect.left + 2, rect.top, rect.Width() - 2, rect.Height());
  if (box.isEmpty()) return;
  target.save();
  target.setFont(captionFont_);
  target.setPen(ToQColor(ResolveColor(active ? captionTextColor_ : inactiveCaptionTextColor_)));
  target.setClipRect(box);
  const QString text = target.fontMetrics().elidedText(caption_, Qt::ElideRight, box.width());
  target.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  target.restore();
}

}  // namespace velunor
