#include "widgets/gradient_form.h"

#include <qdrawutil.h>
#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScopedValueRollback>
#include <QScreen>

#include <algorithm>

#include "widgets/caption_bar.h"
#include "widgets/caption_painter.h"
#include "widgets/gradient_form_values.h"
#include "widgets/system_colors.h"

namespace velunor {

namespace {

// The hints by which Qt asks the window manager for caption buttons. Any of
// them makes Qt drop FramelessWindowHint (and so ask for a frame after all),
// so a form that draws its frame keeps them to itself.
constexpr Qt::WindowFlags kCaptionButtonHints =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
    Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;

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
  if (assigningCaption_) return;
  const QScopedValueRollback<bool> assigning(assigningCaption_, true);
  setWindowTitle(caption);
  caption_ = caption;
  if (isVisible() && !SystemDrawsCaption()) RepaintCaption(IsCaptionActive());
}

void TGradientForm::SetCaptionFont(const QFont& font) {
  captionFont_ = font;
  properties_.useSystemCaptionFont = false;
  UpdateCaptionFont();
}

void TGradientForm::SetUseSystemCaptionFont(bool use) {
  if (use == properties_.useSystemCaptionFont) return;
  properties_.useSystemCaptionFont = use;
  UpdateCaptionFont();
}

void TGradientForm::SetGradientColors(int count) {
  if (!IsValidGradientColors(count) || count == properties_.gradientColors) return;
  properties_.gradientColors = count;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetCaptionTextColor(TColor color) {
  if (color == properties_.captionTextColor) return;
  properties_.captionTextColor = color;
  InvalidateCaption();
}

void TGradientForm::SetInactiveCaptionTextColor(TColor color) {
  if (color == properties_.inactiveCaptionTextColor) return;
  properties_.inactiveCaptionTextColor = color;
  InvalidateCaption();
}

void TGradientForm::SetGradientStartColor(TColor color) {
  properties_.gradientStartColor = color;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetGradientStopColor(TColor color) {
  properties_.gradientStopColor = color;
  stopColorIsSystem_ = color == clActiveCaption;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetGradientInactiveStartColor(TColor color) {
  properties_.gradientInactiveStartColor = color;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetGradientInactiveStopColor(TColor color) {
  properties_.gradientInactiveStopColor = color;
  inactiveStopColorIsSystem_ = color == clInactiveCaption;
  CalculateColors();
  InvalidateCaption();
}

void TGradientForm::SetPaintGradient(TGFPaintWhen when) {
  if (when == properties_.paintGradient) return;
  properties_.paintGradient = when;
  InvalidateCaption();
}

void TGradientForm::SetUseWin98Gradient(bool use) {
  if (use == properties_.useWin98Gradient) return;
  properties_.useWin98Gradient = use;
  // Kept for the stored description: no system here draws gradients.
  LayOutFrame();
}

void TGradientForm::SetUseDithering(bool use) {
  if (use == properties_.useDithering) return;
  properties_.useDithering = use;
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
  if (align == properties_.logoAlign) return;
  properties_.logoAlign = align;
  InvalidateCaption();
}

void TGradientForm::SetLogoLayered(bool layered) {
  if (layered == properties_.logoLayered) return;
  properties_.logoLayered = layered;
  InvalidateCaption();
}

// ---- State ------------------------------------------------------------------

bool TGradientForm::SystemDrawsGradient() const {
  return properties_.useWin98Gradient && systemHasGradient_;
}

bool TGradientForm::SystemDrawsCaption() const {
  return SystemDrawsGradient() || lowColorDisplay_;
}

bool TGradientForm::IsCaptionActive() const {
  return isActiveWindow();
}

TRgb TGradientForm::ResolveColor(TColor color) const {
  return velunor::ResolveColor(color, palette());
}

void TGradientForm::CalculateColors() {
  FillColorTables(
      properties_, [this](TColor color) { return ResolveColor(color); }, colorTable_);
}

void TGradientForm::UpdateCaptionFont() {
  const QFont system = SystemCaptionFont();
  if (properties_.useSystemCaptionFont) {
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
      if (!assigningCaption_) SetCaption(windowTitle());
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

}  // namespace velunor
