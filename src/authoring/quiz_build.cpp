#include "quiz_build.h"

#include <filesystem>
#include <iterator>

#include "content_texts.h"
#include "description_text.h"
#include "file_bytes.h"
#include "pe_writer.h"
#include "quiz_checks.h"
#include "quiz_media.h"
#include "quiz_toml.h"

namespace fenok::pack {

namespace {

// The description's text checked as if read from path: its files are looked for beside path.
bool readQuizText(const std::string& text, const std::string& path, QuizContent& content, Diagnostics& diagnostics,
                  std::vector<PeResourceEntry>* media, std::vector<std::string>* readFiles, PictureStorage storage) {
  QuizSource source;
  if (!readQuizToml(text, source, diagnostics)) return false;
  checkQuiz(source, content, diagnostics);
  const std::string folder = filePath(path).parent_path().u8string();
  if (media) collectMedia(source, folder, *media, diagnostics, readFiles, storage);
  return !diagnostics.hasErrors();
}

// Content and media of a description read without errors, as resources.
bool resourcesOf(const QuizContent& content, std::vector<PeResourceEntry>& media, bool plain,
                 std::vector<PeResourceEntry>& resources, Diagnostics& diagnostics) {
  Message error;
  if (!contentResources(content, plain, resources, error)) {
    diagnostics.error(0, error);
    return false;
  }
  resources.insert(resources.end(), std::make_move_iterator(media.begin()), std::make_move_iterator(media.end()));
  return true;
}

}  // namespace

bool readQuizDescription(const std::string& path, QuizContent& content, Diagnostics& diagnostics,
                         std::vector<PeResourceEntry>* media, std::vector<std::string>* readFiles,
                         PictureStorage storage) {
  if (readFiles) readFiles->push_back(path);
  std::vector<std::uint8_t> bytes;
  Message reason;
  std::string text;
  if (!readFileBytes(path, bytes, reason)) {
    diagnostics.error(0, reason.id == Msg::aDirectory ? message(Msg::descriptionIsAFolder)
                                                      : message(Msg::cannotReadDescription, reason));
    return false;
  }
  if (!descriptionText(bytes, text, diagnostics)) return false;
  return readQuizText(text, path, content, diagnostics, media, readFiles, storage);
}

bool quizResources(const std::string& path, bool plain, std::vector<PeResourceEntry>& resources,
                   Diagnostics& diagnostics, std::vector<std::string>* readFiles, int* questionCount,
                   PictureStorage storage) {
  QuizContent content;
  std::vector<PeResourceEntry> media;
  const bool readable = readQuizDescription(path, content, diagnostics, &media, readFiles, storage);
  if (questionCount) *questionCount = static_cast<int>(content.questions.size());
  return readable && resourcesOf(content, media, plain, resources, diagnostics);
}

PreparedQuiz prepareQuiz(const std::string& path, bool plain, PictureStorage storage) {
  PreparedQuiz prepared;
  Diagnostics diagnostics(path);
  if (!quizResources(path, plain, prepared.resources, diagnostics, &prepared.readFiles, &prepared.questionCount,
                     storage))
    prepared.resources.clear();
  prepared.problems = diagnostics.problems();
  return prepared;
}

PreparedQuiz prepareQuizText(const std::string& text, const std::string& path, bool plain, PictureStorage storage) {
  PreparedQuiz prepared;
  Diagnostics diagnostics(path);
  QuizContent content;
  std::vector<PeResourceEntry> media;
  prepared.readFiles.push_back(path);
  const bool readable = readQuizText(text, path, content, diagnostics, &media, &prepared.readFiles, storage);
  prepared.questionCount = static_cast<int>(content.questions.size());
  if (!readable || !resourcesOf(content, media, plain, prepared.resources, diagnostics)) prepared.resources.clear();
  prepared.problems = diagnostics.problems();
  return prepared;
}

bool PreparedQuiz::ok() const {
  for (const Problem& problem : problems)
    if (problem.severity == Severity::error) return false;
  return !resources.empty();
}

std::vector<Problem> checkQuizText(const std::string& text, const std::string& path, MediaFindings& media,
                                   QuizSource& parsed) {
  Diagnostics diagnostics(path);
  QuizContent content;
  parsed = QuizSource{};
  const bool read = readQuizToml(text, parsed, diagnostics);
  if (read) checkQuiz(parsed, content, diagnostics);
  const std::string folder = filePath(path).parent_path().u8string();
  const std::string inputs = read ? mediaInputs(parsed, folder) : std::string();
  if (inputs != media.inputs) {
    Diagnostics found(path);
    std::vector<PeResourceEntry> ignored;
    if (read) collectMedia(parsed, folder, ignored, found);
    media = {inputs, found.problems(), found.hasErrors()};
  }
  std::vector<Problem> problems = diagnostics.problems();
  problems.insert(problems.end(), media.problems.begin(), media.problems.end());
  // The last check of a build: the stored content must fit the player's limit.
  std::vector<PeResourceEntry> resources;
  Message error;
  if (!diagnostics.hasErrors() && !media.hasErrors && !contentResources(content, false, resources, error))
    problems.push_back({path, 0, Severity::error, error});
  return problems;
}

std::vector<Problem> checkQuizDescription(const std::string& path) { return prepareQuiz(path, false).problems; }

bool packIntoPlayer(const std::vector<std::uint8_t>& player, const std::vector<PeResourceEntry>& resources,
                    std::vector<std::uint8_t>& packed, std::string& error) {
  // What an earlier quiz left in the player (a picture of a question this quiz lacks) must not show.
  return addResources(player, resources, packed, error, isQuizResource);
}

}  // namespace fenok::pack
