// The author's edits, turned into changes of the document: each one an edit its history keeps, so
// every change can be undone.
#include "screen_state.h"
#include "studio_ids.h"
#include "studio_texts.h"
#include "text_fields.h"
#include "trial_answer.h"

namespace fenok::studio {

void ScreenState::changed() { recheck(); }

void ScreenState::edited(int id) {
  if (filling) return;
  const std::string typed = controls.text(id);
  if (const QuizTextField* field = quizTextField(id)) {
    auto member = field->text;
    document.apply(setValue<pack::SourceText>([member](QuizSource& q) -> pack::SourceText& { return q.*member; },
                                              presentText(typed), -1, {id, -1}));
    if (id == STUDIO_FIRST_CAPTION || id == STUDIO_SECOND_CAPTION) showQuestion();
    return changed();
  }
  if (id == STUDIO_REWARD_CODE) return editReward();
  for (const TrialBox& box : kTrialBoxes)
    if (id == box.input) return showTrials();
  const QuestionField* field = questionField(id);
  if (!selected() || !field) return;
  const auto index = static_cast<std::size_t>(question);
  const EditKey key{id, question};
  if (field->forms)
    document.apply(setValue<std::vector<pack::SourceText>>(
        [field, index](QuizSource& q) -> std::vector<pack::SourceText>& { return *field->forms(q.questions[index]); },
        splitForms(typed), question, key));
  if (field->text)
    document.apply(setValue<pack::SourceText>(
        [field, index](QuizSource& q) -> pack::SourceText& { return *field->text(q, q.questions[index]); },
        presentText(typed), question, key));
  showQuestionRow();
  showTrials();
  if (id == STUDIO_FILE || id == STUDIO_SOLUTION || id == STUDIO_TEXT) showPreview();
  changed();
}

void ScreenState::editReward() {
  if (reward < 0) return;
  std::vector<pack::SourceText> rewards = quiz().rewards;
  if (rewards.size() <= static_cast<std::size_t>(reward)) rewards.resize(static_cast<std::size_t>(reward) + 1);
  rewards[static_cast<std::size_t>(reward)] = presentText(controls.text(STUDIO_REWARD_CODE));
  document.apply(setValue<std::vector<pack::SourceText>>(
      [](QuizSource& q) -> std::vector<pack::SourceText>& { return q.rewards; }, std::move(rewards), -1,
      {STUDIO_REWARD_CODE, reward}));
  Filling quiet(*this);
  controls.setRow(STUDIO_REWARDS, reward, {{std::to_string(reward + 1) + texts::kRewardRow + rewardAt(reward)}, nullptr});
  changed();
}

// Typing again in a field once left is another step.
void ScreenState::fieldLeft(int) { document.endTyping(); }

void ScreenState::undo(bool redo) {
  const QuizEdit* edit = redo ? document.redo() : document.undo();
  if (!edit) return;
  const int shown = edit->shownQuestion(!redo);
  if (shown >= 0) question = shown;
  showAll();
}

void ScreenState::selectionChanged(int id) {
  if (filling) return;
  const int index = controls.selection(id);
  switch (id) {
    case STUDIO_QUESTIONS:
      question = index;
      showQuestionSelection();
      return showQuestion();
    case STUDIO_REWARDS:
      reward = index;
      return showRewards();
    case STUDIO_PROBLEMS: return goToProblem(index, false);
    default: break;
  }
  if (const KindChoice* choice = kindChoice(id)) {
    if (index < 0) return;
    auto member = choice->kind;
    document.apply(setValue<int>([member](QuizSource& q) -> int& { return q.*member; }, index + choice->offset));
    quizChanged();
  }
}

void ScreenState::goToProblem(int index, bool focus) {
  const auto& problems = check.problems();
  if (index < 0 || static_cast<std::size_t>(index) >= problems.size()) return;
  const Place place = problems[static_cast<std::size_t>(index)].place;
  if (place.question >= 0 && place.question != question) {
    question = place.question;
    showQuestionSelection();
    showQuestion();
  }
  if (focus && place.control != 0 && controls.isVisible(place.control)) controls.setFocus(place.control);
}

void ScreenState::activated(int id) {
  if (id == STUDIO_PROBLEMS) goToProblem(controls.selection(id), true);
  if (id == STUDIO_QUESTIONS && selected()) controls.setFocus(quiz().mediaKind == kMediaText ? STUDIO_TEXT : STUDIO_ANSWER);
}

// Enter in a field of the question goes to the same field of the next question, and from either
// answer to the next question's first: answers typed one after the other, each under its picture.
void ScreenState::nextQuestion(int field) {
  const int target = field == STUDIO_SECOND_ANSWER ? STUDIO_ANSWER : field;
  document.endTyping();
  if (question + 1 < document.questionCount()) {
    question += 1;
    showQuestionSelection();
    showQuestion();
  }
  controls.setFocus(target);
  controls.selectAllText(target);  // what the file name drafted is typed over
}

void ScreenState::enterPressed() {
  const int focused = controls.focusedId();
  for (const TrialBox& box : kTrialBoxes)
    if (focused == box.input) {
      showTrials();
      controls.selectAllText(box.input);  // the next try replaces this one
      return;
    }
  if (questionField(focused) && selected()) return nextQuestion(focused);
  if (focused == STUDIO_PROBLEMS || focused == STUDIO_QUESTIONS) activated(focused);
}

}  // namespace fenok::studio
