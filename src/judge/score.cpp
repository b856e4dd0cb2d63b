// The score is recounted from what the verdict labels show; nothing is accumulated.
#include "judge/score.h"

#include <cstdio>
#include <string>

#include "content/field_text.h"
#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "judge/verdict.h"
#include "platform/ports/controls.h"
#include "platform/panel_ids.h"

namespace fenok {

namespace {

const char* const kNoCode = "      ";  // six spaces: the code box of a score of 0

}  // namespace

bool questionSolvedOnScreen(const Quiz& quiz, Controls& panel, int questionIndex) {
  const int boxes = boxesPerQuestion(quiz);
  int right = 0;
  for (int box = 1; box <= boxes; ++box) {
    const int label = verdictLabelId(answerBoxId(quiz, questionIndex, box));
    if (panel.text(label, kVerdictReadBuffer) == kVerdictRight) ++right;
  }
  return boxes > 0 && right == boxes;
}

int countSolvedQuestions(const Quiz& quiz, Controls& panel) {
  const int questions = boundedQuestionCount(quiz);
  int score = 0;
  for (int q = 0; q < questions; ++q) {
    if (questionSolvedOnScreen(quiz, panel, q)) ++score;
  }
  return score;
}

std::string scoreLine(int score, int questionCount) {
  char line[32];
  std::snprintf(line, sizeof line, " %d / %d", score, questionCount);
  return line;
}

void updateScore(Quiz& quiz, Controls& panel) {
  const int score = countSolvedQuestions(quiz, panel);
  if (quiz.headerPanel) {
    quiz.headerPanel->setText(kScoreCounterId, scoreLine(score, quiz.questionCount));
    quiz.headerPanel->setText(kCodeBoxId, score > 0 ? fieldText(quiz.rewardCodes[score - 1]) : kNoCode);
  }
}

}  // namespace fenok
