#include "encrypter/caption_description.h"

#include <utility>

namespace velunor::encrypter {

TComponentDescription CaptionDescription(std::string formName) {
  return {std::move(formName),
          {{"CaptionFont.Height", "-11"},
           {"CaptionFont.Name", "MS Sans Serif"},
           {"CaptionFont.Style", "[fsBold]"},
           {"UseSystemCaptionFont", "True"},
           {"GradientStopColor", "clInfoBk"}}};
}

}  // namespace velunor::encrypter
