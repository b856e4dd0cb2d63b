// The author's edits, turned into changes of the document.
#include "screen_state.h"
#include "studio_ids.h"
#include "studio_texts.h"
#include "text_fields.h"
#include "trial_answer.h"

namespace fenok::studio {

void ScreenState::changed() {
  document.markModified();
  recheck();
}

void ScreenState::edited(int id) {
  if (filling) return;
  if (const QuizTextField* field = quizTextField(id)) {
    (quiz().*field->text).value = controls.text(id);
    (quiz().*field->text).present = true;
    if (id == STUDIO_FIRST_CAPTION || id == STUDIO_SECOND_CAPTION) showQuestion();
    return changed();
  }
  if (id == STUDIO_REWARD_CODE) return editReward();
  for (const TrialBox& box : kTrialBoxes)
    if (id == box.input) return showTrials();
  SourceQuestion* q = selected();
  const QuestionField* field = questionField(id);
  if (!q || !field) return;
  if (field->forms) *field->forms(*q) = splitForms(controls.text(id));
  if (field->text) *field->text(quiz(), *q) = presentText(controls.text(id));
  showQuestionRow();
  showTrials();
  changed();
}

void ScreenState::editReward() {
  if (reward < 0) return;
  auto& rewards = quiz().rewards;
  if (rewards.size() <= static_cast<std::size_t>(reward)) rewards.resize(static_cast<std::size_t>(reward) + 1);
  rewards[static_cast<std::size_t>(reward)] = presentText(controls.text(STUDIO_REWARD_CODE));
  Filling quiet(*this);
  controls.setRow(STUDIO_REWARDS, reward, {{std::to_string(reward + 1) + texts::kRewardRow + rewardAt(reward)}, nullptr});
  changed();
}

void ScreenState::selectionChanged(int id) {
  if (filling) return;
  const int index = controls.selection(id);
  switch (id) {
    case STUDIO_QUESTIONS:
      question = index;
      showQuestionList();
      return showQuestion();
    case STUDIO_REWARDS:
      reward = index;
      return showRewards();
    case STUDIO_PROBLEMS: return goToProblem(index, false);
    default: break;
  }
  if (const KindChoice* choice = kindChoice(id)) {
    if (index < 0) return;
    quiz().*choice->kind = index + choice->offset;
    quizChanged();
  }
}

void ScreenState::goToProblem(int index, bool focus) {
  const auto& problems = check.problems();
  if (index < 0 || static_cast<std::size_t>(index) >= problems.size()) return;
  const Place place = problems[static_cast<std::size_t>(index)].place;
  if (place.question >= 0 && place.question != question) {
    question = place.question;
    showQuestionList();
    showQuestion();
  }
  if (focus && place.control != 0 && controls.isVisible(place.control)) controls.setFocus(place.control);
}

void ScreenState::activated(int id) {
  if (id == STUDIO_PROBLEMS) goToProblem(controls.selection(id), true);
  if (id == STUDIO_QUESTIONS && selected()) controls.setFocus(quiz().mediaKind == kMediaText ? STUDIO_TEXT : STUDIO_ANSWER);
}

void ScreenState::enterPressed() {
  const int focused = controls.focusedId();
  for (const TrialBox& box : kTrialBoxes)
    if (focused == box.input) {
      showTrials();
      controls.selectAllText(box.input);  // the next try replaces this one
      return;
    }
  if (focused == STUDIO_PROBLEMS || focused == STUDIO_QUESTIONS) activated(focused);
}

}  // namespace fenok::studio
