#pragma once
// A quiz description as the studio keeps it, written in the canonical form: the keys and order that
// `fenok-pack inspect` prints, plus the file keys of each question. Only what the quiz's kinds use is
// written (a picture in a text quiz, a second answer with one box, a comment with "none" are left
// out), so that the file says what the program will hold. Comments of a hand-written file are not
// kept.
#include <string>

#include "quiz_source.h"

namespace fenok::pack {

std::string writeQuizSource(const QuizSource& source);

}  // namespace fenok::pack
