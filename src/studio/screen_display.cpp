// Showing the document in the window's controls.
#include <cstdint>

#include "authoring/picture_thumbnail.h"
#include "screen_state.h"
#include "studio_ids.h"
#include "studio_texts.h"
#include "text_fields.h"
#include "trial_answer.h"
#include "ui/quiz_panel.h"

namespace fenok::studio {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::shared_ptr<const Thumbnail> thumbnailOf(const pack::Pixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
  auto thumbnail = std::make_shared<Thumbnail>();
  thumbnail->width = pixels.width;
  thumbnail->height = pixels.height;
  thumbnail->bgra.resize(static_cast<std::size_t>(pixels.width) * pixels.height * 4);
  for (std::size_t p = 0, q = 0; q < thumbnail->bgra.size(); p += pixels.channels, q += 4) {
    thumbnail->bgra[q] = pixels.data[p + 2];
    thumbnail->bgra[q + 1] = pixels.data[p + 1];
    thumbnail->bgra[q + 2] = pixels.data[p];
    thumbnail->bgra[q + 3] = 0xFF;
  }
  return thumbnail;
}

}  // namespace

void ScreenState::showAll() {
  showSettings();
  showQuestionList();
  showQuestion();
  recheck();
}

void ScreenState::showSettings() {
  Filling quiet(*this);
  const QuizSource& q = quiz();
  for (const QuizTextField& field : kQuizTextFields) controls.setText(field.control, (q.*field.text).value);
  controls.select(STUDIO_MEDIA, q.mediaKind);
  controls.select(STUDIO_ANSWERS_PER_QUESTION, q.answersPerQuestion - 1);
  controls.select(STUDIO_COMMENTS, q.commentKind);
  controls.select(STUDIO_ACCENTS, q.accentMode);
  controls.setText(STUDIO_BACKGROUND_SAMPLE, texts::kSampleNumber);
  controls.repaint(STUDIO_BACKGROUND_SAMPLE);
  const bool captions = q.answersPerQuestion == 2;
  for (int id : {STUDIO_CAPTIONS_LABEL, STUDIO_FIRST_CAPTION, STUDIO_SECOND_CAPTION}) controls.show(id, captions);
  showRewards();
}

void ScreenState::showRewards() {
  Filling quiet(*this);
  std::vector<ListRow> rows;
  for (int level = 1; level <= document.questionCount(); ++level)
    rows.push_back({{std::to_string(level) + texts::kRewardRow + rewardAt(level - 1)}, nullptr});
  controls.setRows(STUDIO_REWARDS, rows);
  if (reward >= document.questionCount()) reward = document.questionCount() - 1;
  controls.select(STUDIO_REWARDS, reward);
  controls.setText(STUDIO_REWARD_CODE, reward >= 0 ? rewardAt(reward) : std::string());
  controls.enable(STUDIO_REWARD_CODE, reward >= 0);
}

std::string ScreenState::rewardAt(int level) {
  const auto& rewards = quiz().rewards;
  return level >= 0 && static_cast<std::size_t>(level) < rewards.size() ? rewards[static_cast<std::size_t>(level)].value
                                                                       : std::string();
}

ListRow ScreenState::questionRow(int index) {
  const SourceQuestion& q = quiz().questions[static_cast<std::size_t>(index)];
  std::string summary = q.answer.value;
  if (quiz().answersPerQuestion == 2) summary += " / " + q.secondAnswer.value;
  if (quiz().mediaKind == kMediaText) summary += " : " + q.text.value;  // the answer first: the text is long
  ListRow row{{std::to_string(index + 1), summary}, nullptr};
  if (quiz().mediaKind == kMediaPictures && !q.picture.value.empty()) row.thumbnail = thumbnail(q.picture.value);
  return row;
}

std::shared_ptr<const Thumbnail> ScreenState::thumbnail(const std::string& key) {
  const std::string path = document.absolutePath(key);
  const auto found = thumbnails.find(path);
  if (found != thumbnails.end()) return found->second;
  pack::Pixels pixels;
  pack::pictureThumbnail(path, STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT, pixels);
  return thumbnails[path] = thumbnailOf(pixels);
}

// The thumbnails not made yet, all at once on every core: opening a quiz of camera photos.
void ScreenState::prepareThumbnails() {
  if (quiz().mediaKind != kMediaPictures) return;
  std::vector<std::string> missing;
  for (const SourceQuestion& q : quiz().questions) {
    const std::string path = document.absolutePath(q.picture.value);
    if (!path.empty() && thumbnails.count(path) == 0) {
      thumbnails[path] = nullptr;
      missing.push_back(path);
    }
  }
  const std::vector<pack::Pixels> pixels = pack::pictureThumbnails(missing, STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT);
  for (std::size_t i = 0; i < missing.size(); ++i) thumbnails[missing[i]] = thumbnailOf(pixels[i]);
}

void ScreenState::showQuestionList() {
  Filling quiet(*this);
  prepareThumbnails();
  std::vector<ListRow> rows;
  for (int i = 0; i < document.questionCount(); ++i) rows.push_back(questionRow(i));
  controls.setRows(STUDIO_QUESTIONS, rows);
  if (question >= document.questionCount()) question = document.questionCount() - 1;
  if (question < 0 && document.questionCount() > 0) question = 0;
  controls.select(STUDIO_QUESTIONS, question);
  const int count = document.questionCount();
  controls.enable(STUDIO_REMOVE_QUESTION, question >= 0);
  controls.enable(STUDIO_MOVE_UP, question > 0);
  controls.enable(STUDIO_MOVE_DOWN, question >= 0 && question + 1 < count);
}

void ScreenState::showQuestionRow() {
  if (question < 0 || question >= document.questionCount()) return;
  Filling quiet(*this);
  controls.setRow(STUDIO_QUESTIONS, question, questionRow(question));
}

void ScreenState::showQuestion() {
  Filling quiet(*this);
  SourceQuestion* q = selected();
  const QuizSource& quizSource = quiz();
  controls.setText(STUDIO_QUESTION_GROUP, q ? texts::kQuestionGroup + std::to_string(question + 1) : texts::kNoQuestion);
  for (const QuestionField& field : kQuestionFields) {
    const bool shown = q && field.applies(quizSource);
    for (int id : {field.label, field.control, field.browse})
      if (id != 0) controls.show(id, shown);
    std::string value;
    if (q && field.text) value = field.text(quizSource, *q)->value;
    if (q && field.forms) value = joinForms(*field.forms(*q));
    controls.setText(field.control, value);
  }
  for (const TrialBox& box : kTrialBoxes) {
    const bool shown = q && trialApplies(box, quizSource);
    for (int id : {box.label, box.input, box.verdict}) controls.show(id, shown);
  }
  controls.setText(STUDIO_FILE_LABEL, texts::kFileLabels[quizSource.mediaKind >= 0 && quizSource.mediaKind < 4 ? quizSource.mediaKind : 1]);
  const bool two = quizSource.answersPerQuestion == 2;
  controls.setText(STUDIO_ANSWER_LABEL, two && !quizSource.firstAnswerLabel.value.empty()
                                             ? "&" + quizSource.firstAnswerLabel.value + " :"
                                             : texts::kAnswerLabel);
  controls.setText(STUDIO_SECOND_ANSWER_LABEL, two && !quizSource.secondAnswerLabel.value.empty()
                                                    ? "&" + quizSource.secondAnswerLabel.value + " :"
                                                    : texts::kSecondAnswerLabel);
  showTrials();
}

void ScreenState::showTrials() {
  Filling quiet(*this);
  const SourceQuestion* q = selected();
  for (const TrialBox& box : kTrialBoxes) {
    const std::string typed = controls.text(box.input);
    controls.setText(box.verdict, q ? trialVerdict(quiz(), *q, box.number, typed) : std::string());
    controls.repaint(box.verdict);
  }
}

void ScreenState::recheck() {
  Filling quiet(*this);
  const auto& problems = check.run(document);
  std::vector<ListRow> rows;
  for (const PlacedProblem& placed : problems)
    rows.push_back({{(placed.problem.severity == pack::Severity::error ? texts::kError : texts::kWarning) + placed.text},
                    nullptr});
  controls.setRows(STUDIO_PROBLEMS, rows);
  controls.setText(STUDIO_PROBLEMS_LABEL, problemsLabel());
  showTitle();
}

std::string ScreenState::problemsLabel() const {
  const int errors = check.errorCount(), warnings = check.warningCount();
  if (errors == 0 && warnings == 0) return texts::kNoProblems;
  std::string label = texts::kProblemsPrefix;
  if (errors > 0) label += std::to_string(errors) + (errors > 1 ? " erreurs" : " erreur");
  if (errors > 0 && warnings > 0) label += ", ";
  if (warnings > 0) label += std::to_string(warnings) + (warnings > 1 ? " avertissements" : " avertissement");
  if (errors > 0) label += " (le quiz ne peut pas être créé tant qu'il reste une erreur)";
  return label;
}

void ScreenState::showTitle() {
  host.setWindowTitle(document.displayName() + (document.modified() ? " *" : "") + " - " + texts::kProgramName);
}

FormColours ScreenState::colours(int id) const {
  if (id == STUDIO_BACKGROUND_SAMPLE) {
    const QuizSource& q = document.quiz();
    return FormColours{true, backgroundColour(q), labelsDrawnBlack(q.backRed, q.backGreen) ? kBlack : kWhite};
  }
  for (const TrialBox& box : kTrialBoxes)
    if (id == box.verdict) return verdictColours(controls.text(box.verdict));
  return {};
}

}  // namespace fenok::studio
