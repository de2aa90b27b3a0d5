#include "win32/caption_pixels.h"

#include <algorithm>

namespace velunor::win32 {

TBarBitmap::TBarBitmap(HDC target, int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(target);
  bitmap_ = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ == nullptr || bitmap_ == nullptr) return;
  pixels_ = static_cast<std::uint32_t*>(bits);
  oldBitmap_ = SelectObject(dc_, bitmap_);
}

TBarBitmap::~TBarBitmap() {
  if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

void TBarBitmap::Set(int x, int y, TRgb color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(color.r) << 16 |
                                         static_cast<std::uint32_t>(color.g) << 8 | color.b;
}

void TBarBitmap::FillColumns(int left, int right, TRgb color) {
  for (int y = 0; y < height_; ++y) {
    for (int x = left; x < right; ++x)
      Set(x, y, color);
  }
}

void TBarBitmap::Fill(const TRect& rect, TRgb color) {
  if (pixels_ == nullptr) return;
  GdiFlush();
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x)
      Set(x, y, color);
  }
}

void TBarBitmap::PaintGradient(const TRect& rect, TRgb start, TRgb stop, const TColorTable& table,
                               int colors, bool dither) {
  if (pixels_ == nullptr) return;
  GdiFlush();
  const int width = rect.Width();
  const bool palette = (GetDeviceCaps(dc_, RASTERCAPS) & RC_PALETTE) != 0;
  switch (ChooseGradientFill(dither, start, stop, width, colors, palette)) {
    case TGradientFill::kDithered:
      PaintDithered(rect, start, stop);
      break;
    case TGradientFill::kBanded:
      for (int i = 0; i < colors; ++i) {
        FillColumns(rect.left + BandEdge(i, width, colors),
                    rect.left + BandEdge(i + 1, width, colors), table[static_cast<std::size_t>(i)]);
      }
      break;
    case TGradientFill::kStretched:
      for (int x = 0; x < width; ++x) {
        const int pixel = StretchedStripPixel(x, width, colors - 1);
        FillColumns(rect.left + x, rect.left + x + 1, table[static_cast<std::size_t>(pixel)]);
      }
      break;
    case TGradientFill::kNone:
      break;
  }
}

void TBarBitmap::PaintDithered(const TRect& rect, TRgb start, TRgb stop) {
  const int width = rect.Width();
  const TDitherMask& mask = ChooseDitherMask(start, stop, width);
  for (const TDitherStep& step : DitherSteps(start, stop, width, mask)) {
    // The bar from the step on takes the new colour; the tile at the step
    // keeps the previous one where its mask has a 0, repeated downwards.
    FillColumns(rect.left + step.x, rect.left + width, step.next);
    const int tileEnd = std::min(step.x + mask.width, width);
    for (int y = 0; y < height_; ++y) {
      for (int x = step.x; x < tileEnd; ++x) {
        if (!mask.Pixel(x - step.x, y % mask.height)) Set(rect.left + x, y, step.previous);
      }
    }
  }
}

void TBarBitmap::CopyTo(HDC target, int x, int y) const {
  if (pixels_ == nullptr) return;
  BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace velunor::win32
