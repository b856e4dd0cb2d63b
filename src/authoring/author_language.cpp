#include "author_language.h"

#include <cstdlib>
#include <cstring>

namespace fenok::pack {

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (!value || !*value) continue;
    return std::strncmp(value, "fr", 2) == 0 ? Language::french : Language::english;
  }
  return Language::english;
}

#ifndef _WIN32
// Windows has its own (author_language_win.cpp).
Language systemLanguage() {
  return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;
#endif

}  // namespace fenok::pack
