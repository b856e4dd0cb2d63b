// fenok-pack verdict (not built yet).
#include <cstdio>

#include "commands.h"

namespace fenok::pack {

int runVerdict(const Arguments&) {
  std::fputs("fenok-pack: 'verdict' is not available yet\n", stderr);
  return 2;
}

}  // namespace fenok::pack
