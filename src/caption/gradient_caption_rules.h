#pragma once

// The rules of the gradient caption bar that need no window system: colour
// values and tables, the choice of mask and drawing method, the steps of the
// dithered gradient and the layout of the bar. Both windows draw with them:
// the Qt one (TGradientForm) and the Win32 one (TGradientCaption).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velunor {

// A colour value: an RGB value 00BBGGRR, or with the top bit set a system
// colour whose index is the low byte, resolved whenever it is used.
using TColor = std::uint32_t;

constexpr TColor kSystemColorFlag = 0x80000000u;
constexpr TColor SystemColor(std::uint8_t index) {
  return kSystemColorFlag | index;
}
constexpr bool IsSystemColor(TColor color) {
  return (color & kSystemColorFlag) != 0;
}
constexpr std::uint8_t SystemColorIndex(TColor color) {
  return color & 0xFFu;
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// The name of a colour in a stored description ("clInfoBk", or "$00BBGGRR"
// for a colour without a name), and back; a text that is neither gives none.
std::string ColorToText(TColor color);
std::optional<TColor> ColorFromText(const std::string& text);

struct TRgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

constexpr TRgb RgbOf(TColor color) {
  return {static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
          static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

// ---- Colour tables ------------------------------------------------------

constexpr int kMinGradientColors = 8;
constexpr int kMaxGradientColors = 512;
constexpr int kDefaultGradientColors = 64;

constexpr bool IsValidGradientColors(int count) {
  return count >= kMinGradientColors && count <= kMaxGradientColors;
}

using TColorTable = std::array<TRgb, kMaxGradientColors>;

// Fills the first `count` entries from `start` to `stop`: channel c of entry
// j is start(c) + j * (stop(c) - start(c)) / (count - 1), halves rounded to
// the even neighbour. Entry 0 is `start`, entry count - 1 is `stop`.
void FillColorTable(TRgb start, TRgb stop, int count, TColorTable& table);

// ---- Choice of drawing method -------------------------------------------

// A monochrome tile: where a pixel is 0 the previous gradient colour is
// drawn, where it is 1 the new colour stays visible.
struct TDitherMask {
  int width;
  int height;
  const char* const* rows;  // '0' and '1', top row first
  bool Pixel(int x, int y) const { return rows[y][x] == '1'; }
};

// 69 × 30, for gentle gradients, and 14 × 28 for steep ones.
extern const TDitherMask kDitherMaskGentle;
extern const TDitherMask kDitherMaskSteep;

// The gentle mask when 7 * (|dR| + |dG| + |dB|) < 5 * barWidth, else the
// steep one.
const TDitherMask& ChooseDitherMask(TRgb start, TRgb stop, int barWidth);

enum class TGradientFill { kNone, kDithered, kBanded, kStretched };

// Dithered when asked for, on a bar at least twice as wide as its mask and a
// screen without a palette; else banded where the screen has a palette or
// the bar is narrower than the colour count; else one stretched strip.
TGradientFill ChooseGradientFill(bool dither, TRgb start, TRgb stop, int barWidth,
                                 int gradientColors, bool screenUsesPalette);

// ---- Gradient geometry --------------------------------------------------

// a * b / n rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int n);

// One step of a dithered gradient: the bar from `x` to its right edge takes
// `next`, and a mask tile at `x` draws `previous` where the mask has a 0.
struct TDitherStep {
  int x;
  TRgb previous;
  TRgb next;
};

std::vector<TDitherStep> DitherSteps(TRgb start, TRgb stop, int barWidth, const TDitherMask& mask);

// Band i of a banded gradient runs from BandEdge(i) to BandEdge(i + 1):
// round(i * barWidth / gradientColors), halves to even.
int BandEdge(int i, int barWidth, int gradientColors);

// The strip pixel a column of a stretched gradient shows, when the first
// `stripWidth` pixels of the strip are stretched over `barWidth` columns.
int StretchedStripPixel(int x, int barWidth, int stripWidth);

// ---- Layout -------------------------------------------------------------

// Left, top, right, bottom; right and bottom exclusive.
struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

TRect Intersect(const TRect& a, const TRect& b);

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

constexpr bool IsToolWindow(TBorderStyle style) {
  return style == TBorderStyle::bsToolWindow || style == TBorderStyle::bsSizeToolWin;
}

// The system's sizes of a window frame, in pixels.
struct TFrameMetrics {
  int fixedFrameWidth = 4;
  int fixedFrameHeight = 4;
  int sizingFrameWidth = 4;
  int sizingFrameHeight = 4;
  int captionHeight = 19;
  int smallCaptionHeight = 16;
  int smallIconWidth = 16;
  int smallCaptionButtonWidth = 14;
};

// The caption bar in window coordinates: inside the frame's border, one row
// less than the caption height (the last row belongs to the frame).
TRect CaptionRect(int windowWidth, int windowHeight, TBorderStyle style, bool minimised,
                  const TFrameMetrics& metrics);

enum class TCaptionButtonFace { kClose, kMinimise, kMaximise, kRestore, kHelp };

struct TCaptionButton {
  TRect rect;
  TCaptionButtonFace face;
  bool enabled;
};

// What the frame offers.
struct TCaptionButtonSet {
  bool systemMenu = true;
  bool minimise = false;
  bool maximise = false;
  bool help = false;
  bool closeForbidden = false;
  bool minimised = false;
  bool maximised = false;
};

// The caption buttons at the right end of `bar`, right to left; moves
// bar.right to the left of them.
std::vector<TCaptionButton> LayOutCaptionButtons(TRect& bar, TBorderStyle style,
                                                 const TCaptionButtonSet& buttons,
                                                 const TFrameMetrics& metrics);

enum class TGFLogoAlign { laLeft, laRight };

// Where a logo of `logoWidth` goes in the bar `bar`, and the part of the
// bar beside it that keeps the gradient.
struct TLogoLayout {
  TRect logo;
  TRect gradient;
  int logoTop;  // the logo centred vertically in its rectangle
};

TLogoLayout LayOutLogo(const TRect& bar, int logoWidth, int logoHeight, TGFLogoAlign align);

}  // namespace velunor
