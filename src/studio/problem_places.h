#pragma once
// Where a problem of the description lies in the studio's window: which question (or the quiz
// itself) and which control. The description is the studio's own canonical text, one key a line, so
// a problem's line names its key; problems told at a question's first line, or without a line, are
// placed by their message (a missing key names it).
#include <map>

#include "authoring/diagnostics.h"
#include "authoring/quiz_source.h"

namespace fenok::studio {

struct Place {
  int question = -1;  // from 0; -1: the quiz's settings
  int control = 0;    // a STUDIO_* control identifier; 0: none in particular
  bool operator==(const Place& other) const { return question == other.question && control == other.control; }
};

class ProblemPlaces {
 public:
  // parsed: the canonical text read back, whose values carry their lines.
  explicit ProblemPlaces(const pack::QuizSource& parsed);

  Place placeOf(const pack::Problem& problem) const;

 private:
  void add(int line, int question, int control);

  std::map<int, Place> places_;
};

}  // namespace fenok::studio
