// fenok-pack try (not built yet).
#include <cstdio>

#include "commands.h"

namespace fenok::pack {

int runTry(const Arguments&) {
  std::fputs("fenok-pack: 'try' is not available yet\n", stderr);
  return 2;
}

}  // namespace fenok::pack
