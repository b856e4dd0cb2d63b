#include "live_check.h"

#include <filesystem>

#include "fenok-pack/content_texts.h"
#include "fenok-pack/file_bytes.h"
#include "fenok-pack/quiz_checks.h"
#include "fenok-pack/quiz_media.h"
#include "fenok-pack/quiz_toml.h"
#include "studio_texts.h"

namespace fenok::studio {
namespace {

void signKey(std::string& signature, const pack::SourceText& key) {
  signature += std::to_string(key.line) + (key.present ? "=" + key.value : "-") + '\n';
}

// Everything the media checks read: the kinds, where each question starts and its file keys.
std::string mediaSignature(const pack::QuizSource& parsed, const std::string& folder) {
  std::string signature = folder + '\n' + std::to_string(parsed.mediaKind) + ' ' + std::to_string(parsed.commentKind) + '\n';
  for (const pack::SourceQuestion& question : parsed.questions) {
    signature += std::to_string(question.line) + '\n';
    for (const pack::SourceText* key : {&question.picture, &question.solution, &question.clip}) signKey(signature, *key);
  }
  return signature;
}

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
  const std::string path = checkedPath(document);
  const std::string folder = pack::filePath(path).parent_path().u8string();
  pack::Diagnostics diagnostics(path);
  pack::QuizSource parsed;
  pack::QuizContent content;
  const bool read = pack::readQuizToml(document.text(), parsed, diagnostics);
  if (read) pack::checkQuiz(parsed, content, diagnostics);

  const std::string signature = read ? mediaSignature(parsed, folder) : std::string();
  if (signature != mediaSignature_) {
    pack::Diagnostics media(path);
    std::vector<PeResourceEntry> ignored;
    pack::collectMedia(parsed, folder, ignored, media);
    mediaSignature_ = signature;
    mediaProblems_ = media.problems();
    mediaHasErrors_ = media.hasErrors();
  }
  std::vector<pack::Problem> all = diagnostics.problems();
  all.insert(all.end(), mediaProblems_.begin(), mediaProblems_.end());
  // The last check of a build: the stored content must fit the player's limit.
  if (!diagnostics.hasErrors() && !mediaHasErrors_) {
    std::vector<PeResourceEntry> resources;
    std::string error;
    if (!pack::contentResources(content, false, resources, error)) all.push_back({path, 0, pack::Severity::error, error});
  }

  const ProblemPlaces places(parsed);
  problems_.clear();
  for (pack::Problem& problem : all) problems_.push_back({problem, places.placeOf(problem)});
  return problems_;
}

int LiveCheck::errorCount() const { return count(problems_, pack::Severity::error); }
int LiveCheck::warningCount() const { return count(problems_, pack::Severity::warning); }

}  // namespace fenok::studio
