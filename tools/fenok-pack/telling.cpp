#include "telling.h"

#include <cstdio>

#include "commands.h"
#include "usage.h"

namespace fenok::pack {

void tell(const char* command, Language language, const Message& what) {
  std::fprintf(stderr, "fenok-pack%s%s: %s\n", command ? " " : "", command ? command : "", say(what, language).c_str());
}

int usageError(const char* command, Language language, const Message& problem) {
  tell(command, language, problem);
  std::fputs(commandHelp(command).c_str(), stderr);
  return kExitFailed;
}

}  // namespace fenok::pack
