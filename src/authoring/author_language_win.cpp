// The author's language and console on Windows: the user's display language, and the console's output
// code page set to UTF-8 for as long as fenok-pack runs.
#include <windows.h>

#include "author_language.h"

namespace fenok::pack {

Language systemLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? Language::french : Language::english;
}

Utf8Console::Utf8Console() {
  const UINT current = GetConsoleOutputCP();  // 0 without a console: output goes to a file or a pipe
  if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) previousCodePage_ = current;
}

// The console outlives the program: the command prompt gets its own code page back.
Utf8Console::~Utf8Console() {
  if (previousCodePage_ != 0) SetConsoleOutputCP(previousCodePage_);
}

}  // namespace fenok::pack
