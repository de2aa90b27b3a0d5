#pragma once

#include "win32/windows_api.h"

#include "caption/caption_properties.h"
#include "caption/gradient_caption_rules.h"
#include "runtime/form_description.h"
#include "win32/caption_pixels.h"

namespace velunor::win32 {

// The gradient caption bar of a Win32 window, painted in the window's
// non-client area in place of the system's title bar: a colour gradient,
// dithered where the bar is wide enough, the caption buttons and the
// caption text, in separate colours for the active and the inactive state.
// The rules (colours, dither steps, layout) are the ones the Qt window
// paints by (caption/gradient_caption_rules.h).
//
// The window procedure hands every message to HandleMessage first; a
// message it answers (true) needs nothing more, any other takes the
// window's own handling.
class TGradientCaption {
 public:
  explicit TGradientCaption(const TCaptionProperties& properties);
  // The caption of the program's windows, as the stored description every
  // window of the program shares gives it (encrypter::CaptionDescription):
  // its colours and gradient; the font is always the system's.
  explicit TGradientCaption(const TComponentDescription& description);
  ~TGradientCaption();
  TGradientCaption(const TGradientCaption&) = delete;
  TGradientCaption& operator=(const TGradientCaption&) = delete;

  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Paints the bar now, in the given state.
  void RepaintCaption(HWND window, bool active);

 private:
  // The frame the window has, and the system's sizes of it at the window's
  // resolution.
  TBorderStyle BorderStyle(HWND window) const;
  TFrameMetrics Metrics(HWND window) const;
  TRect CaptionRect(HWND window) const;
  TCaptionButtonSet Buttons(HWND window) const;
  // The close button's place in window coordinates, none without one.
  TRect CloseButtonRect(HWND window) const;
  bool SystemDrawsCaption() const;

  void CalculateColors();
  void UpdateCaptionFont(HWND window);
  void DrawCaption(HWND window, HDC target, bool active);
  void FillCaptionGradient(TBarBitmap& target, const TRect& rect, bool active) const;
  void DrawCaptionButtons(HDC target, HWND window, TRect& rect) const;
  void DrawCaptionText(HDC target, HWND window, TRect rect, bool active) const;

  void FramePaint(HWND window, HRGN region);
  LRESULT SetText(HWND window, WPARAM wParam, LPARAM lParam);
  bool HitTest(HWND window, LPARAM lParam, LRESULT& result) const;
  bool CloseButtonMouse(HWND window, UINT message, WPARAM hit);

  TCaptionProperties properties_;
  TColorTable colorTable_[2] = {};  // inactive, active
  HFONT captionFont_ = nullptr;
  UINT fontDpi_ = 0;
  bool active_ = false;
  bool closePressed_ = false;
  bool lowColorDisplay_ = false;
};

}  // namespace velunor::win32
