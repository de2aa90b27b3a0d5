#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace velunor::win32 {

// One text of the windows: the German source text and its English
// translation, both UTF-8, as the Qt translation source holds them.
struct TUiTextTranslation {
  std::string_view german;
  std::string_view english;
};

// Every translated text of the Qt translation source, sorted by the German
// text. Generated at build time by make_ui_text_table.py.
std::span<const TUiTextTranslation> UiTextTranslations();

// The English translation of a German source text; none where the
// translation source has none.
std::optional<std::string_view> EnglishUiText(std::string_view german);

}  // namespace velunor::win32
