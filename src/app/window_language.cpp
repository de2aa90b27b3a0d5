#include "app/window_language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstdlib>
#include <string_view>

namespace velunor {

namespace {

// "en", "en_GB.UTF-8", "en@quot", but not "eo" or "english-like" names.
bool NamesEnglish(std::string_view name) {
  if (!name.starts_with("en")) return false;
  return name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@' || name[2] == '-';
}

std::string MessagesLocale(const TEnvironmentReader& environment) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    std::string value = environment(variable);
    if (!value.empty()) return value;
  }
  return {};
}

// The first non-empty entry of a colon-separated list.
std::string FirstListEntry(std::string_view list) {
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty()) return std::string(entry);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return {};
}

std::string ReadEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

const char* const kEnglishTexts = ":/translations/cmvelunor_en.qm";

}  // namespace

bool WantsEnglishTexts(const TEnvironmentReader& environment) {
  const std::string locale = MessagesLocale(environment);
  if (locale.empty() || locale == "C" || locale.starts_with("C.") || locale == "POSIX") {
    return false;
  }
  const std::string preferred = FirstListEntry(environment("LANGUAGE"));
  return NamesEnglish(preferred.empty() ? locale : preferred);
}

void LoadWindowTranslation() {
  static QTranslator english;
  QCoreApplication::removeTranslator(&english);
  if (!WantsEnglishTexts(ReadEnvironment)) return;
  if (english.isEmpty() && !english.load(QString::fromLatin1(kEnglishTexts))) return;
  QCoreApplication::installTranslator(&english);
}

std::string TextBeforeStart(const char* context, const char* source) {
  QTranslator english;
  if (!WantsEnglishTexts(ReadEnvironment) || !english.load(QString::fromLatin1(kEnglishTexts))) {
    return source;
  }
  const QString text = english.translate(context, source);
  return text.isEmpty() ? std::string(source) : text.toStdString();
}

}  // namespace velunor
