#pragma once
// The command-line arguments as UTF-8. Windows hands narrow arguments in the ANSI code page, so there
// they are taken from the wide command line instead; elsewhere they already are UTF-8.
#include <string>
#include <vector>

namespace fenok::pack {

std::vector<std::string> utf8Arguments(int argc, char** argv);

}  // namespace fenok::pack
