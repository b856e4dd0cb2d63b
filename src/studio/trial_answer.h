#pragma once
// A trial answer judged as the player would judge it in the question's box: the box's expected
// answer and accepted forms, the quiz's accent mode, Windows-1252 texts.
#include <string>

#include "authoring/quiz_source.h"
#include "platform/ports/form_controls.h"

namespace fenok::studio {

// The verdict word (UTF-8) for what was typed (UTF-8) in box 1 or 2 of the question; empty when
// nothing is typed. A character the player's box cannot hold makes the answer wrong.
std::string trialVerdict(const pack::QuizSource& quiz, const pack::SourceQuestion& question, int box,
                         const std::string& typed);

// The colours the player paints this verdict word with; the platform's own for "?" and for none.
FormColours verdictColours(const std::string& verdict);

}  // namespace fenok::studio
