#pragma once

#include "caption/gradient_caption_rules.h"

namespace velunor {

enum class TGFPaintWhen { gfpAlways, gfpActive, gfpNever };

// The stored properties of a gradient caption, each at the default a new
// form has: a stored description holds only those that differ from it.
struct TCaptionProperties {
  bool useSystemCaptionFont = true;
  int gradientColors = kDefaultGradientColors;
  TColor captionTextColor = clWhite;
  TColor inactiveCaptionTextColor = clWhite;
  TColor gradientStartColor = clBlack;
  TColor gradientStopColor = clActiveCaption;
  TColor gradientInactiveStartColor = clBlack;
  TColor gradientInactiveStopColor = clInactiveCaption;
  TGFPaintWhen paintGradient = TGFPaintWhen::gfpAlways;
  bool useWin98Gradient = false;
  bool useDithering = true;
  TGFLogoAlign logoAlign = TGFLogoAlign::laRight;
  bool logoLayered = false;
};

// Both colour tables of a bar, [0] inactive and [1] active, from its stored
// colours; `resolve` turns a colour value (a system colour too) into RGB
// the way the window system at hand does.
template <class Resolve>
void FillColorTables(const TCaptionProperties& properties, Resolve resolve,
                     TColorTable (&tables)[2]) {
  FillColorTable(resolve(properties.gradientInactiveStartColor),
                 resolve(properties.gradientInactiveStopColor), properties.gradientColors,
                 tables[0]);
  FillColorTable(resolve(properties.gradientStartColor), resolve(properties.gradientStopColor),
                 properties.gradientColors, tables[1]);
}

}  // namespace velunor
