#include "widgets/gradient_form_values.h"

#include <cstdlib>

#include "widgets/gradient_form.h"

namespace velunor {

namespace {

bool ParseBoolean(const std::string& text, bool& value) {
  if (text != "True" && text != "False") return false;
  value = text == "True";
  return true;
}

const char* BooleanText(bool value) {
  return value ? "True" : "False";
}

// What a new form has; a property is stored only where it differs.
constexpr TCaptionProperties kDefaults;

struct TColorProperty {
  const char* name;
  TColor TCaptionProperties::*field;
  void (TGradientForm::*set)(TColor);
  // For a stop colour: stored only while it is not the system's colour.
  bool (TGradientForm::*followsSystem)() const = nullptr;
};

constexpr TColorProperty kColorProperties[] = {
    {"CaptionTextColor", &TCaptionProperties::captionTextColor,
     &TGradientForm::SetCaptionTextColor},
    {"InactiveCaptionTextColor", &TCaptionProperties::inactiveCaptionTextColor,
     &TGradientForm::SetInactiveCaptionTextColor},
    {"GradientStartColor", &TCaptionProperties::gradientStartColor,
     &TGradientForm::SetGradientStartColor},
    {"GradientStopColor", &TCaptionProperties::gradientStopColor,
     &TGradientForm::SetGradientStopColor, &TGradientForm::StopColorIsSystem},
    {"GradientInactiveStartColor", &TCaptionProperties::gradientInactiveStartColor,
     &TGradientForm::SetGradientInactiveStartColor},
    {"GradientInactiveStopColor", &TCaptionProperties::gradientInactiveStopColor,
     &TGradientForm::SetGradientInactiveStopColor, &TGradientForm::InactiveStopColorIsSystem},
};

struct TBooleanProperty {
  const char* name;
  bool TCaptionProperties::*field;
  void (TGradientForm::*set)(bool);
};

constexpr TBooleanProperty kBooleanProperties[] = {
    {"UseSystemCaptionFont", &TCaptionProperties::useSystemCaptionFont,
     &TGradientForm::SetUseSystemCaptionFont},
    {"UseWin98Gradient", &TCaptionProperties::useWin98Gradient,
     &TGradientForm::SetUseWin98Gradient},
    {"UseDithering", &TCaptionProperties::useDithering, &TGradientForm::SetUseDithering},
    {"LogoLayered", &TCaptionProperties::logoLayered, &TGradientForm::SetLogoLayered},
};

const char* const kPaintWhenNames[] = {"gfpAlways", "gfpActive", "gfpNever"};
const char* const kLogoAlignNames[] = {"laLeft", "laRight"};

}  // namespace

void TGradientFormValues::WriteStoredValues(std::vector<TStoredValue>& values) const {
  const TCaptionProperties& now = form_.CaptionProperties();
  // The system's font is the default, read afresh at every start.
  if (!now.useSystemCaptionFont) WriteFont(values);
  for (const TBooleanProperty& property : kBooleanProperties) {
    const bool value = now.*property.field;
    if (value != kDefaults.*property.field) values.push_back({property.name, BooleanText(value)});
  }
  if (now.gradientColors != kDefaults.gradientColors) {
    values.push_back({"GradientColors", std::to_string(now.gradientColors)});
  }
  for (const TColorProperty& property : kColorProperties) {
    const TColor value = now.*property.field;
    const bool stored = property.followsSystem != nullptr ? !(form_.*property.followsSystem)()
                                                          : value != kDefaults.*property.field;
    if (stored) values.push_back({property.name, ColorToText(value)});
  }
  if (now.paintGradient != kDefaults.paintGradient) {
    values.push_back({"PaintGradient", kPaintWhenNames[static_cast<int>(now.paintGradient)]});
  }
  if (now.logoAlign != kDefaults.logoAlign) {
    values.push_back({"LogoAlign", kLogoAlignNames[static_cast<int>(now.logoAlign)]});
  }
}

void TGradientFormValues::WriteFont(std::vector<TStoredValue>& values) const {
  const QFont& font = form_.CaptionFont();
  const int height = font.pixelSize() > 0 ? font.pixelSize()
                                          : qRound(font.pointSizeF() * form_.logicalDpiY() / 72.0);
  values.push_back({"CaptionFont.Height", std::to_string(-height)});
  values.push_back({"CaptionFont.Name", font.family().toStdString()});
  std::string style;
  if (font.bold()) style += "fsBold,";
  if (font.italic()) style += "fsItalic,";
  if (font.underline()) style += "fsUnderline,";
  if (font.strikeOut()) style += "fsStrikeOut,";
  if (!style.empty()) style.pop_back();
  values.push_back({"CaptionFont.Style", "[" + style + "]"});
}

void TGradientFormValues::ReadStoredValue(const TStoredValue& value, const TStoredValueReader&) {
  const std::string& name = value.name;
  if (name.starts_with("CaptionFont.")) return ReadFontValue(name.substr(12), value.text);
  for (const TColorProperty& property : kColorProperties) {
    if (name != property.name) continue;
    if (const std::optional<TColor> color = ColorFromText(value.text)) {
      (form_.*property.set)(*color);
    }
    return;
  }
  for (const TBooleanProperty& property : kBooleanProperties) {
    bool flag = false;
    if (name == property.name && ParseBoolean(value.text, flag)) (form_.*property.set)(flag);
  }
  if (name == "GradientColors") {
    form_.SetGradientColors(std::atoi(value.text.c_str()));
  } else if (name == "PaintGradient") {
    for (int i = 0; i < 3; ++i) {
      if (value.text == kPaintWhenNames[i]) form_.SetPaintGradient(static_cast<TGFPaintWhen>(i));
    }
  } else if (name == "LogoAlign") {
    for (int i = 0; i < 2; ++i) {
      if (value.text == kLogoAlignNames[i]) form_.SetLogoAlign(static_cast<TGFLogoAlign>(i));
    }
  }
}

void TGradientFormValues::ReadFontValue(const std::string& name, const std::string& text) {
  QFont font = form_.CaptionFont();
  if (name == "Name") {
    font.setFamily(QString::fromStdString(text));
  } else if (name == "Height") {
    // Negative: the character height in pixels, as the description keeps it.
    const int height = std::abs(std::atoi(text.c_str()));
    if (height == 0) return;
    font.setPixelSize(height);
  } else if (name == "Style") {
    font.setBold(text.find("fsBold") != std::string::npos);
    font.setItalic(text.find("fsItalic") != std::string::npos);
    font.setUnderline(text.find("fsUnderline") != std::string::npos);
    font.setStrikeOut(text.find("fsStrikeOut") != std::string::npos);
  } else {
    return;
  }
  form_.SetCaptionFont(font);
}

}  // namespace velunor
