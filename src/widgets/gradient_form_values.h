#pragma once

#include <string>
#include <vector>

#include "runtime/component.h"

namespace velunor {

class TGradientForm;

// A gradient caption form as a component of its stored description: reads
// and writes the gradient properties by name, as the description holds
// them ("GradientStopColor" = "clInfoBk", "CaptionFont.Style" = "[fsBold]").
// Properties at their defaults are not written; a stop colour is written
// only while it is not the system's caption colour, and the caption font
// only while it is not the system's.
class TGradientFormValues : public TComponent {
 public:
  explicit TGradientFormValues(TGradientForm& form) : form_(form) {}

  void WriteStoredValues(std::vector<TStoredValue>& values) const override;
  void ReadStoredValue(const TStoredValue& value, const TStoredValueReader& reader) override;

 private:
  void WriteFont(std::vector<TStoredValue>& values) const;
  void ReadFontValue(const std::string& name, const std::string& text);

  TGradientForm& form_;
};

}  // namespace velunor
