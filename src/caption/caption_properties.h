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

}  // namespace velunor
