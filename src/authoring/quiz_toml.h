#pragma once
// Reads the TOML form of a quiz (the form `fenok-pack inspect` prints, plus the file paths of each
// question) into a QuizSource. Syntax errors, unknown keys and values of the wrong kind are reported
// with their line; the checks that need the whole quiz come later (quiz_checks.h).
#include <string>

#include "diagnostics.h"
#include "quiz_source.h"

namespace fenok::pack {

// False when the text is not TOML at all; otherwise the problems found go to diagnostics.
bool readQuizToml(const std::string& text, QuizSource& source, Diagnostics& diagnostics);

}  // namespace fenok::pack
