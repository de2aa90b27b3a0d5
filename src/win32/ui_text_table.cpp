#include "win32/ui_text_table.h"

#include <algorithm>

namespace velunor::win32 {

std::optional<std::string_view> EnglishUiText(std::string_view german) {
  const auto table = UiTextTranslations();
  const auto found = std::ranges::lower_bound(table, german, {}, &TUiTextTranslation::german);
  if (found == table.end() || found->german != german) return std::nullopt;
  return found->english;
}

}  // namespace velunor::win32
