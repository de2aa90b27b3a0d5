#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "caption/gradient_caption_rules.h"
#include "managers/cipher_manager.h"
#include "managers/hash_manager.h"
#include "runtime/component.h"
#include "runtime/form_description.h"

namespace {

using velunor::TComponent;
using velunor::TFormDescription;

// The window's form with the components that keep stored values.
struct Form {
  TComponent form{nullptr, "FormVelunor"};
  velunor::THashManager& hashManager = *new velunor::THashManager(&form, "HashManager1");
  velunor::TCipherManager& cipherManager = *new velunor::TCipherManager(&form, "CipherManager1");
};

// One stored value per line: component, value name and text, separated by tabs.
TFormDescription DescriptionOf(std::string_view text) {
  TFormDescription description;
  while (!text.empty()) {
    std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(text.size(), line.size() + 1));
    const std::string_view component = line.substr(0, line.find('\t'));
    line.remove_prefix(std::min(line.size(), component.size() + 1));
    const std::string_view name = line.substr(0, line.find('\t'));
    line.remove_prefix(std::min(line.size(), name.size() + 1));
    description.push_back({std::string(component), {{std::string(name), std::string(line)}}});
  }
  return description;
}

bool Same(const TFormDescription& a, const TFormDescription& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].values.size() != b[i].values.size()) return false;
    for (std::size_t j = 0; j < a[i].values.size(); ++j) {
      if (a[i].values[j].name != b[i].values[j].name) return false;
      if (a[i].values[j].text != b[i].values[j].text) return false;
    }
  }
  return true;
}

}  // namespace

// A stored description of any content: reading it leaves a form whose own
// description reads back to the same, whose coding works, and every colour
// text read as a colour is written as a text that reads as the same colour.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TFormDescription description = DescriptionOf(text);

  Form form;
  velunor::ReadFormDescription(form.form, description);
  const TFormDescription written = velunor::WriteFormDescription(form.form);
  Form again;
  velunor::ReadFormDescription(again.form, written);
  if (!Same(velunor::WriteFormDescription(again.form), written)) __builtin_trap();

  const velunor::ByteString plain = "Die Kiste steht im Keller.\r\n";
  form.cipherManager.InitKey("Geheimnis");
  const velunor::ByteString coded = form.cipherManager.EncodeText(plain);
  if (form.cipherManager.DecodeText(coded) != plain) __builtin_trap();

  for (const auto& entry : description) {
    for (const auto& value : entry.values) {
      if (const auto color = velunor::ColorFromText(value.text)) {
        if (velunor::ColorFromText(velunor::ColorToText(*color)) != color) __builtin_trap();
      }
    }
  }
  return 0;
}
