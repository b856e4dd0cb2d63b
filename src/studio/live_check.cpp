#include "live_check.h"

#include <filesystem>

#include "authoring/quiz_build.h"
#include "studio_texts.h"

namespace fenok::studio {
namespace {

int count(const std::vector<PlacedProblem>& problems, pack::Severity severity) {
  int n = 0;
  for (const PlacedProblem& placed : problems) n += placed.problem.severity == severity ? 1 : 0;
  return n;
}

}  // namespace

std::string checkedPath(const QuizDocument& document) {
  if (!document.path().empty()) return document.path();
  std::error_code ignored;
  return (std::filesystem::current_path(ignored) / texts::kDescriptionName).u8string();
}

const std::vector<PlacedProblem>& LiveCheck::run(const QuizDocument& document) {
  pack::QuizSource parsed;
  const std::vector<pack::Problem> problems = pack::checkQuizText(document.text(), checkedPath(document), media_, parsed);
  const ProblemPlaces places(parsed);
  problems_.clear();
  for (const pack::Problem& problem : problems)
    problems_.push_back({problem, places.placeOf(problem), pack::say(problem.message, texts::kLanguage)});
  return problems_;
}

int LiveCheck::errorCount() const { return count(problems_, pack::Severity::error); }
int LiveCheck::warningCount() const { return count(problems_, pack::Severity::warning); }

}  // namespace fenok::studio
