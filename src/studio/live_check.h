#pragma once
// The problem list of the quiz being edited: what `fenok-pack check` says of the description the
// studio would save, each problem placed in the window. Run after every edit, so the slow part
// (reading, decoding and fitting every picture) is done again only when a file key, a question's
// place or a kind changed.
#include <string>
#include <vector>

#include "authoring/diagnostics.h"
#include "authoring/quiz_build.h"
#include "problem_places.h"
#include "quiz_document.h"

namespace fenok::studio {

struct PlacedProblem {
  pack::Problem problem;
  Place place;
  std::string text;  // the problem's message in the studio's language
};

class LiveCheck {
 public:
  const std::vector<PlacedProblem>& run(const QuizDocument& document);
  const std::vector<PlacedProblem>& problems() const { return problems_; }
  int errorCount() const;
  int warningCount() const;

 private:
  pack::MediaFindings media_;
  std::vector<PlacedProblem> problems_;
};

// The description path problems name: the document's own, or quiz.toml where it would be saved.
std::string checkedPath(const QuizDocument& document);

}  // namespace fenok::studio
