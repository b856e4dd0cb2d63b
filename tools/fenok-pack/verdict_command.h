#pragma once
// fenok-pack verdict over given streams, so that tests can run it without a process.
#include <iosfwd>

#include "commands.h"

namespace fenok::pack {

int runVerdict(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err, Language language);

}  // namespace fenok::pack
