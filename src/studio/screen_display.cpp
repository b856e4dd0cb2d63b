// Showing the document in the window's controls.
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/pictures/picture_thumbnail.h"
#include "pictures/picture_fit.h"
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

// Transparency is dropped, as the player's stretching drops it.
std::shared_ptr<const FormPicture> formPicture(const pack::Pixels& pixels, int box = 0) {
  if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
  auto picture = std::make_shared<FormPicture>();
  picture->width = pixels.width;
  picture->height = pixels.height;
  picture->box = box;
  picture->bgra.resize(static_cast<std::size_t>(pixels.width) * pixels.height * 4);
  for (std::size_t p = 0, q = 0; q < picture->bgra.size(); p += pixels.channels, q += 4) {
    picture->bgra[q] = pixels.data[p + 2];
    picture->bgra[q + 1] = pixels.data[p + 1];
    picture->bgra[q + 2] = pixels.data[p];
    picture->bgra[q + 3] = 0xFF;
  }
  return picture;
}

// The view as in the player's box.
PictureShown pictureShown(const pack::PictureViews& views) {
  return {formPicture(views.shown, kPictureBoxSide), formPicture(views.thumbnail)};
}

bool isFile(const std::string& path) {
  std::error_code ignored;
  return !path.empty() && std::filesystem::is_regular_file(pack::filePath(path), ignored);
}

std::string fileName(const std::string& key) { return pack::filePath(key).filename().u8string(); }

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
  for (int id : {STUDIO_FIRST_CAPTION, STUDIO_SECOND_CAPTION}) controls.show(id, captions);
  controls.setCue(STUDIO_FIRST_CAPTION, texts::kCaptionCues[0]);
  controls.setCue(STUDIO_SECOND_CAPTION, texts::kCaptionCues[1]);
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
  if (quiz().mediaKind == kMediaPictures && !q.picture.value.empty()) row.thumbnail = picture(q.picture.value).thumbnail;
  return row;
}

const PictureShown& ScreenState::picture(const std::string& key) {
  const std::string path = document.absolutePath(key);
  const auto found = pictures.find(path);
  if (found != pictures.end()) return found->second;
  return pictures[path] = pictureShown(pack::pictureViews({path}, STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT)[0]);
}

// The pictures not read yet, all at once on every core: opening a quiz of camera photos. Each is
// decoded once, for its thumbnail and for the question's view.
void ScreenState::preparePictures() {
  std::vector<std::string> missing;
  const auto want = [&](const std::string& key) {
    const std::string path = document.absolutePath(key);
    if (path.empty() || pictures.count(path) != 0) return;
    pictures[path] = {};
    missing.push_back(path);
  };
  if (quiz().mediaKind != kMediaPictures) return;
  for (const SourceQuestion& q : quiz().questions) {
    want(q.picture.value);
    if (showsSolutionPicture(quiz().commentKind)) want(q.solution.value);
  }
  const std::vector<pack::PictureViews> views =
      pack::pictureViews(missing, STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT);
  for (std::size_t i = 0; i < missing.size(); ++i) pictures[missing[i]] = pictureShown(views[i]);
}

void ScreenState::showQuestionList() {
  Filling quiet(*this);
  preparePictures();
  std::vector<ListRow> rows;
  for (int i = 0; i < document.questionCount(); ++i) rows.push_back(questionRow(i));
  controls.setRows(STUDIO_QUESTIONS, rows);
  showQuestionSelection();
}

void ScreenState::showQuestionSelection() {
  Filling quiet(*this);
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
  const SourceQuestion* q = selected();
  const QuizSource& quizSource = quiz();
  controls.setText(STUDIO_QUESTION_GROUP, q ? texts::kQuestionGroup + std::to_string(question + 1) : texts::kNoQuestion);
  for (const QuestionField& field : kQuestionFields) {
    const bool shown = q && field.applies(quizSource);
    for (int id : {field.label, field.control, field.browse})
      if (id != 0) controls.show(id, shown);
    controls.setText(field.control, q ? shownValue(field, quizSource, *q) : std::string());
  }
  for (const TrialBox& box : kTrialBoxes) {
    const bool shown = q && trialApplies(box, quizSource);
    for (int id : {box.label, box.input, box.verdict})
      if (id != 0) controls.show(id, shown);
  }
  controls.setText(STUDIO_FILE_LABEL, texts::kFileLabels[quizSource.mediaKind >= 0 && quizSource.mediaKind < 4 ? quizSource.mediaKind : 1]);
  // Two boxes side by side, each told by its caption (the player's) while it is empty.
  const bool two = quizSource.answersPerQuestion == 2;
  controls.setText(STUDIO_ANSWER_LABEL, two ? texts::kAnswersLabel : texts::kAnswerLabel);
  const pack::SourceText* captions[] = {&quizSource.firstAnswerLabel, &quizSource.secondAnswerLabel};
  const int answers[] = {STUDIO_ANSWER, STUDIO_SECOND_ANSWER};
  for (int box = 0; box < 2; ++box)
    controls.setCue(answers[box], !two                           ? std::string()
                                  : captions[box]->value.empty() ? std::string(texts::kAnswerCues[box])
                                                                 : captions[box]->value);
  controls.setCue(STUDIO_ALSO, texts::kAlsoCue);
  showTrials();
  showPreview();
}

// The question as the player shows it: its picture fitted into the player's box and its solution
// picture; a clip's name, with a button that plays it; a text question's text.
void ScreenState::showPreview() {
  Filling quiet(*this);
  const SourceQuestion* q = selected();
  const QuizSource& source = quiz();
  std::shared_ptr<const FormPicture> shown, solution;
  std::string words, name;
  const bool clip = q && (source.mediaKind == kMediaAudio || source.mediaKind == kMediaVideo);
  if (q && source.mediaKind == kMediaPictures) {
    name = fileName(q->picture.value);
    if (!q->picture.value.empty()) shown = picture(q->picture.value).shown;
    if (!shown) words = q->picture.value.empty() ? texts::kNoPicture : texts::say(texts::kUnreadablePicture, {name});
    if (showsSolutionPicture(source.commentKind) && !q->solution.value.empty()) solution = picture(q->solution.value).shown;
  } else if (clip) {
    name = fileName(q->clip.value);
    words = q->clip.value.empty() ? texts::kNoClip
            : isFile(document.absolutePath(q->clip.value)) ? name
                                                           : texts::say(texts::kMissingClip, {name});
  } else if (q) {
    words = q->text.value;
  }
  controls.setPicture(STUDIO_PREVIEW, shown);
  controls.setText(STUDIO_PREVIEW, name);  // what the picture is, for whoever cannot see it
  controls.show(STUDIO_PREVIEW, shown != nullptr);
  controls.setPicture(STUDIO_SOLUTION_PREVIEW, solution);
  controls.setText(STUDIO_SOLUTION_PREVIEW, solution ? fileName(q->solution.value) : std::string());
  controls.show(STUDIO_SOLUTION_PREVIEW, solution != nullptr);
  controls.setText(STUDIO_PREVIEW_TEXT, words);
  controls.show(STUDIO_PREVIEW_TEXT, !shown && q != nullptr);
  controls.setText(STUDIO_PLAY_CLIP, source.mediaKind == kMediaVideo ? texts::kPlayVideo : texts::kPlayAudio);
  controls.show(STUDIO_PLAY_CLIP, clip);
  controls.enable(STUDIO_PLAY_CLIP, clip && isFile(document.absolutePath(q->clip.value)));
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
  host.setUndoable(document.canUndo(), document.canRedo());
}

// The sample and the pictures on the quiz's background, as the player shows them.
FormColours ScreenState::colours(int id) const {
  if (id == STUDIO_BACKGROUND_SAMPLE || id == STUDIO_PREVIEW || id == STUDIO_SOLUTION_PREVIEW) {
    const QuizSource& q = document.quiz();
    return FormColours{true, backgroundColour(q), labelsDrawnBlack(q.backRed, q.backGreen) ? kBlack : kWhite};
  }
  for (const TrialBox& box : kTrialBoxes)
    if (id == box.verdict) return verdictColours(controls.text(box.verdict));
  return {};
}

}  // namespace fenok::studio
