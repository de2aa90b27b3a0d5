#include "caption/gradient_caption_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace velunor {

namespace {

struct TNamedColor {
  TColor color;
  const char* name;
};

constexpr TNamedColor kNamedColors[] = {
    {clBlack, "clBlack"},
    {clWhite, "clWhite"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clWindow, "clWindow"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double rounded = lower;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded += 1.0;
  return static_cast<int>(rounded);
}

std::uint8_t Channel(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::string ColorToText(TColor color) {
  for (const TNamedColor& named : kNamedColors) {
    if (named.color == color) return named.name;
  }
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

std::optional<TColor> ColorFromText(const std::string& text) {
  for (const TNamedColor& named : kNamedColors) {
    if (text == named.name) return named.color;
  }
  const bool hex = !text.empty() && text[0] == '$';
  const std::string digits = hex ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  char* end = nullptr;
  const long long value = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
  if (*end != '\0' || value < -0x80000000LL || value > 0xFFFFFFFFLL) return std::nullopt;
  // Negative decimal numbers are system colours written as signed values.
  return static_cast<TColor>(static_cast<std::uint32_t>(value & 0xFFFFFFFFLL));
}

void FillColorTable(TRgb start, TRgb stop, int count, TColorTable& table) {
  const double steps = count - 1;
  const double stepR = (stop.r - start.r) / steps;
  const double stepG = (stop.g - start.g) / steps;
  const double stepB = (stop.b - start.b) / steps;
  for (int j = 0; j < count; ++j) {
    table[static_cast<std::size_t>(j)] = {Channel(start.r + RoundHalfEven(j * stepR)),
                                          Channel(start.g + RoundHalfEven(j * stepG)),
                                          Channel(start.b + RoundHalfEven(j * stepB))};
  }
}

const TDitherMask& ChooseDitherMask(TRgb start, TRgb stop, int barWidth) {
  const int difference =
      std::abs(stop.r - start.r) + std::abs(stop.g - start.g) + std::abs(stop.b - start.b);
  return 7 * difference < 5 * barWidth ? kDitherMaskGentle : kDitherMaskSteep;
}

TGradientFill ChooseGradientFill(bool dither, TRgb start, TRgb stop, int barWidth,
                                 int gradientColors, bool screenUsesPalette) {
  if (barWidth < 1) return TGradientFill::kNone;
  if (dither && !screenUsesPalette &&
      barWidth >= 2 * ChooseDitherMask(start, stop, barWidth).width) {
    return TGradientFill::kDithered;
  }
  if (screenUsesPalette || gradientColors > barWidth) return TGradientFill::kBanded;
  return TGradientFill::kStretched;
}

int MulDiv(int a, int b, int n) {
  const long long product = static_cast<long long>(a) * b;
  const long long magnitude = (2 * std::llabs(product) + std::llabs(n)) / (2 * std::llabs(n));
  return static_cast<int>((product < 0) != (n < 0) ? -magnitude : magnitude);
}

std::vector<TDitherStep> DitherSteps(TRgb start, TRgb stop, int barWidth, const TDitherMask& mask) {
  const int steps = barWidth / mask.width + 1;
  const int remainder = barWidth % mask.width;
  const int dR = stop.r - start.r;
  const int dG = stop.g - start.g;
  const int dB = stop.b - start.b;
  std::vector<TDitherStep> result;
  result.reserve(static_cast<std::size_t>(steps));
  int x = 0;
  TRgb previous = start;
  for (int k = 1; k <= steps; ++k) {
    const TRgb next{Channel(start.r + MulDiv(k, dR, steps - 1)),
                    Channel(start.g + MulDiv(k, dG, steps - 1)),
                    Channel(start.b + MulDiv(k, dB, steps - 1))};
    result.push_back({x, previous, next});
    x += mask.width;
    // The remainder of the width is shared out over the steps, a pixel
    // more to the first ones.
    if (remainder != 0) {
      x += remainder / (steps - 2) + (remainder % (steps - 2) > k ? 1 : 0);
    }
    previous = next;
  }
  return result;
}

int BandEdge(int i, int barWidth, int gradientColors) {
  return RoundHalfEven(i * (static_cast<double>(barWidth) / gradientColors));
}

int StretchedStripPixel(int x, int barWidth, int stripWidth) {
  return static_cast<int>(static_cast<long long>(x) * stripWidth / barWidth);
}

TRect Intersect(const TRect& a, const TRect& b) {
  TRect result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  if (result.IsEmpty()) return {};
  return result;
}

TRect CaptionRect(int windowWidth, int windowHeight, TBorderStyle style, bool minimised,
                  const TFrameMetrics& metrics) {
  if (style == TBorderStyle::bsNone) return {};
  TRect rect{0, 0, windowWidth, windowHeight};
  const bool sizeable = style == TBorderStyle::bsSizeable || style == TBorderStyle::bsSizeToolWin;
  const int frameWidth =
      sizeable && !minimised ? metrics.sizingFrameWidth : metrics.fixedFrameWidth;
  const int frameHeight =
      sizeable && !minimised ? metrics.sizingFrameHeight : metrics.fixedFrameHeight;
  rect.left += frameWidth;
  rect.right -= frameWidth;
  rect.top += frameHeight;
  rect.bottom -= frameHeight;
  const int captionHeight =
      IsToolWindow(style) ? metrics.smallCaptionHeight : metrics.captionHeight;
  rect.bottom = rect.top + captionHeight - 1;
  return rect;
}

std::vector<TCaptionButton> LayOutCaptionButtons(TRect& bar, TBorderStyle style,
                                                 const TCaptionButtonSet& buttons,
                                                 const TFrameMetrics& metrics) {
  using enum TCaptionButtonFace;
  std::vector<TCaptionButton> result;
  TRect button{bar.left + 2, bar.top + 2, bar.right - 2, bar.bottom - 2};
  if (IsToolWindow(style)) {
    button.left = button.right - metrics.smallCaptionButtonWidth + 2;
    result.push_back({button, kClose, !buttons.closeForbidden});
    bar.right = button.left - 5;
    return result;
  }
  int size = metrics.smallIconWidth - 2;
  if ((size % 2) != (bar.Height() % 2)) size += 1;
  button.left = button.right - size - 2;
  const auto moveLeft = [&](int by) {
    button.left -= by;
    button.right -= by;
    bar.right -= by;
  };
  if (buttons.systemMenu) {
    result.push_back({button, kClose, !buttons.closeForbidden});
    moveLeft(size + 4);
  }
  const bool singleOrSizeable =
      style == TBorderStyle::bsSingle || style == TBorderStyle::bsSizeable;
  if (singleOrSizeable && (buttons.minimise || buttons.maximise)) {
    result.push_back({button, buttons.maximised ? kRestore : kMaximise, buttons.maximise});
    moveLeft(size + 2);
    result.push_back({button, buttons.minimised ? kRestore : kMinimise, buttons.minimise});
    moveLeft(size + 2);
  } else if (buttons.help && (singleOrSizeable || style == TBorderStyle::bsDialog)) {
    result.push_back({button, kHelp, true});
    bar.right -= size + 2;
  }
  bar.right -= 3;
  return result;
}

TLogoLayout LayOutLogo(const TRect& bar, int logoWidth, int logoHeight, TGFLogoAlign align) {
  TLogoLayout layout;
  if (align == TGFLogoAlign::laLeft) {
    layout.logo = Intersect({bar.left, bar.top, bar.left + logoWidth, bar.bottom}, bar);
    layout.gradient = {layout.logo.IsEmpty() ? bar.left : layout.logo.right, bar.top, bar.right,
                       bar.bottom};
  } else {
    layout.logo = Intersect({bar.right - logoWidth, bar.top, bar.right, bar.bottom}, bar);
    layout.gradient = {bar.left, bar.top, layout.logo.IsEmpty() ? bar.right : layout.logo.left,
                       bar.bottom};
  }
  if (layout.gradient.IsEmpty()) layout.gradient = {};
  layout.logoTop = layout.logo.top + (layout.logo.Height() - logoHeight) / 2;
  return layout;
}

}  // namespace velunor
