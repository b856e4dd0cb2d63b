// fenok-pack inspect (not built yet).
#include <cstdio>

#include "commands.h"

namespace fenok::pack {

int runInspect(const Arguments&) {
  std::fputs("fenok-pack: 'inspect' is not available yet\n", stderr);
  return 2;
}

}  // namespace fenok::pack
