#pragma once
// Writes a loaded Quiz in the TOML form of the quiz description (what `fenok-pack inspect` prints
// and `fenok-pack build` reads back). Texts are converted from Windows-1252 to UTF-8.
#include <string>

namespace fenok {
struct Quiz;
}

namespace fenok::pack {

// A TOML basic string in quotes: '"' and '\' escaped, control characters (and U+007F, and the C1
// controls that unassigned Windows-1252 bytes map to) as \b \t \n \f \r or \uXXXX. Input is UTF-8.
std::string tomlQuoted(const std::string& utf8);

// The whole description. rewardsRead: whether the codes resource was read; the rewards line is
// written only then (questionCount entries). One [[question]] per entry of the answer list.
std::string writeQuizToml(const Quiz& quiz, bool rewardsRead);

}  // namespace fenok::pack
