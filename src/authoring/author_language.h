#pragma once
// The language fenok-pack speaks to its author: French when the author's system asks for it, English
// otherwise. On Windows that is the user's display language; elsewhere the locale of messages, by the
// POSIX order: LC_ALL, then LC_MESSAGES, then LANG, the first one set and not empty.
#include "messages.h"

namespace fenok::pack {

// French when the locale that applies ("fr", "fr_FR.UTF-8", "fr_CA"...) starts with "fr". Any of the
// three may be null (not set).
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The author's language on this system.
Language systemLanguage();

// Until it is destroyed, the console shows UTF-8 text as such (Windows consoles otherwise take bytes in
// their own code page); nothing to do elsewhere.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  unsigned previousCodePage_ = 0;  // 0: left as it was
};

}  // namespace fenok::pack
