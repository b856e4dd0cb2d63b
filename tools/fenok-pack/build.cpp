// fenok-pack build (not built yet).
#include <cstdio>

#include "commands.h"

namespace fenok::pack {

int runBuild(const Arguments&) {
  std::fputs("fenok-pack: 'build' is not available yet\n", stderr);
  return 2;
}

}  // namespace fenok::pack
