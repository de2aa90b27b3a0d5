#include "win32/gradient_caption.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/dpi.h"
#include "win32/system_metrics.h"

namespace velunor::win32 {

namespace {

TRgb ResolveColor(TColor color) {
  return RgbOf(IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : color);
}

COLORREF ToColorRef(TRgb rgb) {
  return RGB(rgb.r, rgb.g, rgb.b);
}

RECT ToRect(const TRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

TRect Offset(TRect rect, int dx, int dy) {
  return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

bool Contains(const TRect& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

UINT ButtonFace(TCaptionButtonFace face) {
  switch (face) {
    case TCaptionButtonFace::kMinimise:
      return DFCS_CAPTIONMIN;
    case TCaptionButtonFace::kMaximise:
      return DFCS_CAPTIONMAX;
    case TCaptionButtonFace::kRestore:
      return DFCS_CAPTIONRESTORE;
    case TCaptionButtonFace::kHelp:
    case TCaptionButtonFace::kClose:
      break;
  }
  return DFCS_CAPTIONHELP;
}

// The cross of the close button: two strokes two pixels wide.
void DrawCross(HDC target, const RECT& glyph, int size, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  for (int i = 0; i < size; ++i) {
    const RECT down{glyph.left + i, glyph.top + i, glyph.left + i + 2, glyph.top + i + 1};
    const RECT up{glyph.left + size - 1 - i, glyph.top + i, glyph.left + size + 1 - i,
                  glyph.top + i + 1};
    FillRect(target, &down, brush);
    FillRect(target, &up, brush);
  }
  DeleteObject(brush);
}

// The close button as a push button with a cross, drawn here rather than
// through the system's caption glyph font, which not every system has.
void DrawCloseButton(HDC target, const TRect& rect, bool enabled, bool pressed) {
  RECT box = ToRect(rect);
  if (rect.IsEmpty()) return;
  DrawFrameControl(target, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
  const int size = std::min(rect.Width(), rect.Height()) - 5;
  if (size < 2) return;
  const int shift = pressed ? 1 : 0;
  const int left = rect.left + (rect.Width() - size) / 2 + shift;
  const int top = rect.top + (rect.Height() - size) / 2 + shift;
  const RECT glyph{left, top, left + size, top + size};
  if (enabled) {
    DrawCross(target, glyph, size, GetSysColor(COLOR_BTNTEXT));
  } else {
    const RECT shadow{left + 1, top + 1, left + size + 1, top + size + 1};
    DrawCross(target, shadow, size, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawCross(target, glyph, size, GetSysColor(COLOR_BTNSHADOW));
  }
}

// The window's point of an LPARAM in screen coordinates.
POINT WindowPoint(HWND window, LPARAM lParam) {
  RECT frame;
  GetWindowRect(window, &frame);
  return {static_cast<short>(LOWORD(lParam)) - frame.left,
          static_cast<short>(HIWORD(lParam)) - frame.top};
}

// A screen of 16 colours, on which the system's own caption looks better.
bool IsLowColorDisplay() {
  HDC screen = GetDC(nullptr);
  const bool low = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL) == 4;
  ReleaseDC(nullptr, screen);
  return low;
}

TCaptionProperties PropertiesOf(const TComponentDescription& description) {
  TCaptionProperties properties;
  const std::pair<const char*, TColor TCaptionProperties::*> colors[] = {
      {"CaptionTextColor", &TCaptionProperties::captionTextColor},
      {"InactiveCaptionTextColor", &TCaptionProperties::inactiveCaptionTextColor},
      {"GradientStartColor", &TCaptionProperties::gradientStartColor},
      {"GradientStopColor", &TCaptionProperties::gradientStopColor},
      {"GradientInactiveStartColor", &TCaptionProperties::gradientInactiveStartColor},
      {"GradientInactiveStopColor", &TCaptionProperties::gradientInactiveStopColor}};
  for (const TStoredValue& value : description.values) {
    for (const auto& [name, field] : colors) {
      const std::optional<TColor> color = ColorFromText(value.text);
      if (value.name == name && color) properties.*field = *color;
    }
    if (value.name == "UseDithering") properties.useDithering = value.text == "True";
    if (value.name == "GradientColors" && IsValidGradientColors(std::atoi(value.text.c_str()))) {
      properties.gradientColors = std::atoi(value.text.c_str());
    }
  }
  return properties;
}

}  // namespace

TGradientCaption::TGradientCaption(const TComponentDescription& description)
    : TGradientCaption(PropertiesOf(description)) {}

TGradientCaption::TGradientCaption(const TCaptionProperties& properties) : properties_(properties) {
  CalculateColors();
  lowColorDisplay_ = IsLowColorDisplay();
}

TGradientCaption::~TGradientCaption() {
  if (captionFont_ != nullptr) DeleteObject(captionFont_);
}

bool TGradientCaption::SystemDrawsCaption() const {
  // A gradient the system draws itself is never asked for here
  // (useWin98Gradient stays false in both windows).
  return properties_.useWin98Gradient || lowColorDisplay_;
}

void TGradientCaption::CalculateColors() {
  FillColorTables(
      properties_, [](TColor color) { return ResolveColor(color); }, colorTable_);
}

TBorderStyle TGradientCaption::BorderStyle(HWND window) const {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  if ((style & WS_CAPTION) != WS_CAPTION) return TBorderStyle::bsNone;
  const bool sizeable = (style & WS_THICKFRAME) != 0;
  if ((exStyle & WS_EX_TOOLWINDOW) != 0) {
    return sizeable ? TBorderStyle::bsSizeToolWin : TBorderStyle::bsToolWindow;
  }
  if (sizeable) return TBorderStyle::bsSizeable;
  return (exStyle & WS_EX_DLGMODALFRAME) != 0 ? TBorderStyle::bsDialog : TBorderStyle::bsSingle;
}

TFrameMetrics TGradientCaption::Metrics(HWND window) const {
  const auto metric = [window](int index) { return SystemMetric(window, index); };
  return {metric(SM_CXFIXEDFRAME), metric(SM_CYFIXEDFRAME), metric(SM_CXSIZEFRAME),
          metric(SM_CYSIZEFRAME),  metric(SM_CYCAPTION),    metric(SM_CYSMCAPTION),
          metric(SM_CXSMICON),     metric(SM_CXSMSIZE)};
}

TRect TGradientCaption::CaptionRect(HWND window) const {
  RECT frame;
  GetWindowRect(window, &frame);
  return velunor::CaptionRect(frame.right - frame.left, frame.bottom - frame.top,
                              BorderStyle(window), IsIconic(window) != 0, Metrics(window));
}

TCaptionButtonSet TGradientCaption::Buttons(HWND window) const {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const auto classStyle = static_cast<DWORD>(GetClassLongPtrW(window, GCL_STYLE));
  return {(style & WS_SYSMENU) != 0,      (style & WS_MINIMIZEBOX) != 0,
          (style & WS_MAXIMIZEBOX) != 0,  (exStyle & WS_EX_CONTEXTHELP) != 0,
          (classStyle & CS_NOCLOSE) != 0, IsIconic(window) != 0,
          IsZoomed(window) != 0};
}

TRect TGradientCaption::CloseButtonRect(HWND window) const {
  const TRect caption = CaptionRect(window);
  TRect bar{1, 0, caption.Width(), caption.Height()};
  for (const TCaptionButton& button :
       LayOutCaptionButtons(bar, BorderStyle(window), Buttons(window), Metrics(window))) {
    if (button.face == TCaptionButtonFace::kClose) {
      return Offset(button.rect, caption.left, caption.top);
    }
  }
  return {};
}

void TGradientCaption::UpdateCaptionFont(HWND window) {
  const UINT dpi = WindowDpi(window);
  if (captionFont_ != nullptr && fontDpi_ == dpi) return;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!NonClientMetrics(window, metrics)) return;
  const bool tool = IsToolWindow(BorderStyle(window));
  const LOGFONTW& system = tool ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
  // The system's caption font, in its face, size, pitch and style.
  LOGFONTW font{};
  font.lfHeight = system.lfHeight;
  font.lfWeight = system.lfWeight >= FW_BOLD ? FW_BOLD : FW_NORMAL;
  font.lfItalic = system.lfItalic == 1;
  font.lfUnderline = system.lfUnderline == 1;
  font.lfStrikeOut = system.lfStrikeOut == 1;
  font.lfCharSet = system.lfCharSet;
  const int pitch = system.lfPitchAndFamily & 0x0F;
  font.lfPitchAndFamily =
      static_cast<BYTE>(pitch == FIXED_PITCH || pitch == VARIABLE_PITCH ? pitch : DEFAULT_PITCH);
  std::copy(std::begin(system.lfFaceName), std::end(system.lfFaceName), font.lfFaceName);
  if (captionFont_ != nullptr) DeleteObject(captionFont_);
  captionFont_ = CreateFontIndirectW(&font);
  fontDpi_ = dpi;
}

void TGradientCaption::RepaintCaption(HWND window, bool active) {
  if (SystemDrawsCaption() || !IsWindowVisible(window)) return;
  HDC target = GetWindowDC(window);
  if (target == nullptr) return;
  DrawCaption(window, target, active);
  ReleaseDC(window, target);
}

void TGradientCaption::DrawCaption(HWND window, HDC target, bool active) {
  const TRect caption = CaptionRect(window);
  if (caption.IsEmpty()) return;
  UpdateCaptionFont(window);
  // Composed off-screen and copied in one go, so that it never flickers.
  TBarBitmap bar(target, caption.Width(), caption.Height());
  TRect local{0, 0, caption.Width(), caption.Height()};
  const bool gradient = properties_.paintGradient == TGFPaintWhen::gfpAlways ||
                        (properties_.paintGradient == TGFPaintWhen::gfpActive && active);
  if (gradient) {
    FillCaptionGradient(bar, local, active);
  } else {
    bar.Fill(local, ResolveColor(active ? clActiveCaption : clInactiveCaption));
  }
  local.left += 1;
  DrawCaptionButtons(bar.Dc(), window, local);
  DrawCaptionText(bar.Dc(), window, local, active);
  bar.CopyTo(target, caption.left, caption.top);
}

void TGradientCaption::FillCaptionGradient(TBarBitmap& target, const TRect& rect,
                                           bool active) const {
  const TRgb start = ResolveColor(active ? properties_.gradientStartColor
                                         : properties_.gradientInactiveStartColor);
  const TRgb stop =
      ResolveColor(active ? properties_.gradientStopColor : properties_.gradientInactiveStopColor);
  target.PaintGradient(rect, start, stop, colorTable_[active ? 1 : 0], properties_.gradientColors,
                       properties_.useDithering);
}

void TGradientCaption::DrawCaptionButtons(HDC target, HWND window, TRect& rect) const {
  // Tool windows and dialogs show no icon; a window with one has a
  // system menu and a single or sizeable frame.
  const TBorderStyle style = BorderStyle(window);
  const TCaptionButtonSet buttons = Buttons(window);
  const TFrameMetrics metrics = Metrics(window);
  if (buttons.systemMenu &&
      (style == TBorderStyle::bsSingle || style == TBorderStyle::bsSizeable)) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL2, 0));
    if (icon == nullptr) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DrawIconEx(target, rect.left + 1, rect.top + 1, icon, metrics.smallIconWidth,
               metrics.smallIconWidth, 0, nullptr, DI_NORMAL);
    rect.left += metrics.smallIconWidth + 1;
  }
  for (const TCaptionButton& button : LayOutCaptionButtons(rect, style, buttons, metrics)) {
    const bool pressed = closePressed_ && button.face == TCaptionButtonFace::kClose;
    if (button.face == TCaptionButtonFace::kClose) {
      DrawCloseButton(target, button.rect, button.enabled, pressed);
      continue;
    }
    RECT box = ToRect(button.rect);
    DrawFrameControl(target, &box, DFC_CAPTION,
                     ButtonFace(button.face) | (button.enabled ? 0u : DFCS_INACTIVE));
  }
}

void TGradientCaption::DrawCaptionText(HDC target, HWND window, TRect rect, bool active) const {
  rect.left += 2;
  if (rect.IsEmpty()) return;
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  const TColor color = active ? properties_.captionTextColor : properties_.inactiveCaptionTextColor;
  const COLORREF oldColor = SetTextColor(target, ToColorRef(ResolveColor(color)));
  const int oldMode = SetBkMode(target, TRANSPARENT);
  const HGDIOBJ oldFont = SelectObject(target, captionFont_);
  RECT box = ToRect(rect);
  DrawTextW(target, text.c_str(), static_cast<int>(text.size()), &box,
            DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  SelectObject(target, oldFont);
  SetBkMode(target, oldMode);
  SetTextColor(target, oldColor);
}

void TGradientCaption::FramePaint(HWND window, HRGN region) {
  RECT frame;
  GetWindowRect(window, &frame);
  // The system paints the frame, borders and menu, but not the bar.
  HRGN rest = CreateRectRgn(frame.left, frame.top, frame.right, frame.bottom);
  if (reinterpret_cast<UINT_PTR>(region) > 1) CombineRgn(rest, rest, region, RGN_AND);
  const TRect caption = Offset(CaptionRect(window), frame.left, frame.top);
  HRGN bar = CreateRectRgn(caption.left, caption.top, caption.right, caption.bottom);
  CombineRgn(rest, rest, bar, RGN_DIFF);
  DeleteObject(bar);
  DefWindowProcW(window, WM_NCPAINT, reinterpret_cast<WPARAM>(rest), 0);
  DeleteObject(rest);
  HDC target = GetWindowDC(window);
  if (target == nullptr) return;
  DrawCaption(window, target, active_);
  ReleaseDC(window, target);
}

LRESULT TGradientCaption::SetText(HWND window, WPARAM wParam, LPARAM lParam) {
  // The system paints its own caption as it takes the text: a window it
  // believes hidden paints nothing.
  const auto style = GetWindowLongPtrW(window, GWL_STYLE);
  const bool visible = (style & WS_VISIBLE) != 0;
  if (visible) SetWindowLongPtrW(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
  const LRESULT result = DefWindowProcW(window, WM_SETTEXT, wParam, lParam);
  if (visible) {
    SetWindowLongPtrW(window, GWL_STYLE, style);
    RepaintCaption(window, active_);
  }
  return result;
}

bool TGradientCaption::HitTest(HWND window, LPARAM lParam, LRESULT& result) const {
  const POINT point = WindowPoint(window, lParam);
  if (Contains(CloseButtonRect(window), point)) {
    result = HTCLOSE;
  } else if (Contains(CaptionRect(window), point)) {
    result = HTCAPTION;
  } else {
    return false;
  }
  return true;
}

// The close button is pressed and released on the bar, not on the system's
// button: the system would paint its own over the bar.
bool TGradientCaption::CloseButtonMouse(HWND window, UINT message, WPARAM hit) {
  const bool onClose = hit == HTCLOSE;
  const bool wasPressed = closePressed_;
  switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (!onClose) return false;
      closePressed_ = true;
      break;
    case WM_NCLBUTTONUP:
      closePressed_ = false;
      if (onClose && wasPressed) PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case WM_NCMOUSEMOVE:
      if (!onClose) closePressed_ = false;
      break;
    default:  // WM_NCMOUSELEAVE
      closePressed_ = false;
      break;
  }
  if (closePressed_ != wasPressed) RepaintCaption(window, active_);
  // Hovering over the bar must not let the system paint its own buttons.
  return onClose || message == WM_NCLBUTTONUP || hit == HTCAPTION;
}

bool TGradientCaption::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
  if (message == WM_NCCREATE) KeepFramePaintingToTheWindow(window);
  if (SystemDrawsCaption() && message != WM_SYSCOLORCHANGE) return false;
  result = 0;
  switch (message) {
    case WM_NCPAINT:
      FramePaint(window, reinterpret_cast<HRGN>(wParam));
      return true;
    case WM_NCACTIVATE:
      active_ = wParam != 0;
      RepaintCaption(window, active_);
      result = TRUE;
      return true;
    case WM_SETTEXT:
      result = SetText(window, wParam, lParam);
      return true;
    case WM_NCHITTEST:
      return HitTest(window, lParam, result);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (CloseButtonMouse(window, message, wParam)) return true;
      result = DefWindowProcW(window, message, wParam, lParam);
      RepaintCaption(window, active_);
      return true;
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
      return CloseButtonMouse(window, message, wParam);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) return false;
      RepaintCaption(window, active_);
      result = DefWindowProcW(window, message, wParam, lParam);
      RepaintCaption(window, active_);
      return true;
    case WM_ENTERIDLE:
    case WM_SIZE:
      RepaintCaption(window, active_);
      return false;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) fontDpi_ = 0;
      return false;
    case WM_DPICHANGED:
      fontDpi_ = 0;
      return false;
    case WM_SYSCOLORCHANGE:
      lowColorDisplay_ = IsLowColorDisplay();
      if (!SystemDrawsCaption()) CalculateColors();
      return false;
    default:
      return false;
  }
}

}  // namespace velunor::win32
