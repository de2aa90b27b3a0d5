#pragma once

#include "win32/windows_api.h"

#include <cstdint>

#include "caption/gradient_caption_rules.h"

namespace velunor::win32 {

// The off-screen picture a caption bar is composed in before it is copied
// to the frame in one go: a 32-bit bitmap whose pixels the gradient is
// written into directly, and a drawing surface for the buttons and the text.
class TBarBitmap {
 public:
  // A picture of `width` × `height` pixels for the screen of `target`.
  TBarBitmap(HDC target, int width, int height);
  ~TBarBitmap();
  TBarBitmap(const TBarBitmap&) = delete;
  TBarBitmap& operator=(const TBarBitmap&) = delete;

  HDC Dc() const { return dc_; }

  void Fill(const TRect& rect, TRgb color);
  // The gradient from `start` to `stop` over `rect` (from the top of the
  // picture): dithered, banded or stretched as ChooseGradientFill decides,
  // the latter two from the state's colour table.
  void PaintGradient(const TRect& rect, TRgb start, TRgb stop, const TColorTable& table, int colors,
                     bool dither);
  void CopyTo(HDC target, int x, int y) const;

 private:
  void Set(int x, int y, TRgb color);
  void FillColumns(int left, int right, TRgb color);
  void PaintDithered(const TRect& rect, TRgb start, TRgb stop);

  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;  // top row first
};

}  // namespace velunor::win32
