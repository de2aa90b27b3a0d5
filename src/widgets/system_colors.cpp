#include "widgets/system_colors.h"

#include <cstdint>

namespace velunor {

namespace {

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

QColor PaletteColor(const QPalette& palette, std::uint8_t index) {
  for (const TSystemColorRole& entry : kSystemColorRoles) {
    if (entry.index == index) return palette.color(entry.group, entry.role);
  }
  return Qt::black;
}

}  // namespace

TRgb ResolveColor(TColor color, const QPalette& palette) {
  if (!IsSystemColor(color)) return RgbOf(color);
  const QColor system = PaletteColor(palette, SystemColorIndex(color));
  return {static_cast<std::uint8_t>(system.red()), static_cast<std::uint8_t>(system.green()),
          static_cast<std::uint8_t>(system.blue())};
}

QColor ToQColor(TRgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace velunor
