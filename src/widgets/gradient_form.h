#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "caption/caption_properties.h"
#include "runtime/component.h"
#include "widgets/form.h"

class QPainter;

namespace velunor {

class TCaptionBar;
class TGradientFormValues;

// A form that draws its own caption bar: a colour gradient from a start
// colour at the left to a stop colour at the right, optionally dithered, the
// caption buttons, an optional logo and the caption text, with colours of
// their own for the active and the inactive window.
//
// The window has no frame from the window manager. The form draws it: a
// raised border around the window, the caption bar at the top (a caption
// widget that moves the window when dragged and closes it by its close
// button) and, below the bar, the client area that holds the form's
// controls. System colours are those of the form's palette: the active and
// inactive caption colours are the highlight colours of the active and the
// inactive group, the info background is the tooltip background.
//
// Where the display has only 16 colours the window manager draws frame and
// caption instead, and the form does no caption work at all.
class TGradientForm : public TForm {
  Q_OBJECT

 public:
  // Draws over the bar before the caption text; may change the rectangle
  // left for the text.
  using TGFOnCaptionPaint =
      std::function<void(TGradientForm& sender, QPainter& canvas, TRect& textRect)>;

  explicit TGradientForm(QWidget* parent = nullptr);
  ~TGradientForm() override;

  // ---- Published properties ----
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  const QFont& CaptionFont() const { return captionFont_; }
  void SetCaptionFont(const QFont& font);
  bool UseSystemCaptionFont() const { return properties_.useSystemCaptionFont; }
  void SetUseSystemCaptionFont(bool use);
  int GradientColors() const { return properties_.gradientColors; }
  void SetGradientColors(int count);
  TColor CaptionTextColor() const { return properties_.captionTextColor; }
  void SetCaptionTextColor(TColor color);
  TColor InactiveCaptionTextColor() const { return properties_.inactiveCaptionTextColor; }
  void SetInactiveCaptionTextColor(TColor color);
  TColor GradientStartColor() const { return properties_.gradientStartColor; }
  void SetGradientStartColor(TColor color);
  TColor GradientStopColor() const { return properties_.gradientStopColor; }
  void SetGradientStopColor(TColor color);
  TColor GradientInactiveStartColor() const { return properties_.gradientInactiveStartColor; }
  void SetGradientInactiveStartColor(TColor color);
  TColor GradientInactiveStopColor() const { return properties_.gradientInactiveStopColor; }
  void SetGradientInactiveStopColor(TColor color);
  TGFPaintWhen PaintGradient() const { return properties_.paintGradient; }
  void SetPaintGradient(TGFPaintWhen when);
  bool UseWin98Gradient() const { return properties_.useWin98Gradient; }
  void SetUseWin98Gradient(bool use);
  bool UseDithering() const { return properties_.useDithering; }
  void SetUseDithering(bool use);
  const QImage& Logo() const { return logo_; }
  void SetLogo(const QImage& logo);
  const QImage& InactiveLogo() const { return inactiveLogo_; }
  void SetInactiveLogo(const QImage& logo);
  TGFLogoAlign LogoAlign() const { return properties_.logoAlign; }
  void SetLogoAlign(TGFLogoAlign align);
  bool LogoLayered() const { return properties_.logoLayered; }
  void SetLogoLayered(bool layered);
  const TGFOnCaptionPaint& OnCaptionPaint() const { return onCaptionPaint_; }
  void SetOnCaptionPaint(TGFOnCaptionPaint handler) { onCaptionPaint_ = std::move(handler); }
  // All stored properties at once, as the stored description reads them.
  const TCaptionProperties& CaptionProperties() const { return properties_; }

  // The colours of the gradient, [0] inactive and [1] active; the first
  // GradientColors() entries are used.
  const TColorTable& ColorTable(bool active) const { return colorTable_[active ? 1 : 0]; }
  // Whether a stop colour follows the system's caption colour of its state.
  bool StopColorIsSystem() const { return stopColorIsSystem_; }
  bool InactiveStopColorIsSystem() const { return inactiveStopColorIsSystem_; }

  // Whether the window manager draws the caption (16-colour displays).
  bool SystemDrawsCaption() const;
  // Whether the bar shows the active state: the window is the active one.
  bool IsCaptionActive() const;
  // A system or RGB colour as the form shows it now.
  TRgb ResolveColor(TColor color) const;

  // The widget below the caption bar that holds the form's controls.
  QWidget* ClientArea() const { return clientArea_; }
  QSize ClientSize() const;
  void SetClientSize(int width, int height) override;
  // Sets the width of the whole window, frame included.
  void SetOuterWidth(int width);
  // The sizes of the frame this form draws.
  const TFrameMetrics& FrameMetrics() const { return metrics_; }
  TBorderStyle BorderStyle() const { return TBorderStyle::bsToolWindow; }
  // The close button in window coordinates.
  TRect CloseButtonRect() const;

  // The form's own stored values: its gradient properties. A stop colour
  // is written only when it is not the system's caption colour.
  TComponent& StoredValues();

  // Draws the bar as the caption widget shows it (window coordinates).
  void PaintCaptionBar(QPainter& painter);
  // The caption widget's close button is held down.
  void SetCloseButtonDown(bool down);
  // The caption buttons the window was made with (Qt's button hints), kept
  // apart from the window flags while the form draws its own frame.
  Qt::WindowFlags CaptionButtonHints() const { return captionButtonHints_; }

 protected:
  virtual void GetCaptionRect(TRect& rect) const;
  virtual void DrawCaption(QPainter& target, bool active, TRect& rect);
  virtual void DrawSystemIcon(QPainter& target, TRect& rect);
  virtual void FillCaptionSolid(QPainter& target, const TRect& rect, bool active,
                                TColor activeColor, TColor inactiveColor);
  virtual void FillCaptionGradient(QPainter& target, const TRect& rect, bool dither, bool active);
  virtual void DrawCaptionText(QPainter& target, const TRect& rect, bool active);
  virtual void DrawCaptionButtons(QPainter& target, TRect& rect);
  virtual void CalculateColors();
  virtual bool SystemDrawsGradient() const;
  virtual void UpdateCaptionFont();
  virtual void RepaintCaption(bool active);

  // Asks for the bar to be drawn anew.
  void InvalidateCaption();
  // Whether the screen shows colours through a palette (8 bits or less).
  virtual bool ScreenUsesPalette() const;

  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The system's caption font of the form's frame.
  QFont SystemCaptionFont() const;
  static QFont SystemSmallCaptionFont();
  static QFont SystemNormalCaptionFont();
  static bool DisplayHasFourBits(const QWidget& widget);

  TCaptionButtonSet CaptionButtons() const;
  bool SystemIconShown() const;
  // Frame, bar and client area for the current metrics and client size.
  void LayOutFrame();
  void UpdateMetrics();
  void PaintFrame(QPainter& painter);
  void SystemColorsChanged();
  // Frameless while the form draws the frame, else the window manager's
  // frame with the form's caption buttons.
  void ApplyFrameFlags();

  QString caption_;
  QFont captionFont_;
  TCaptionProperties properties_;
  QImage logo_;
  QImage inactiveLogo_;
  TGFOnCaptionPaint onCaptionPaint_;

  TColorTable colorTable_[2] = {};
  bool stopColorIsSystem_ = true;
  bool inactiveStopColorIsSystem_ = true;
  bool systemHasGradient_ = false;
  bool lowColorDisplay_ = false;

  TFrameMetrics metrics_;
  QSize clientSize_;
  QWidget* clientArea_;
  TCaptionBar* captionBar_;
  std::unique_ptr<TGradientFormValues> storedValues_;
  // The state RepaintCaption asks for while it draws.
  std::optional<bool> repaintState_;
  bool closeButtonDown_ = false;
  Qt::WindowFlags captionButtonHints_;
  bool destroying_ = false;
  // Set while Caption is being assigned, so that the title change it causes
  // does not assign it again.
  bool assigningCaption_ = false;
};

}  // namespace velunor
