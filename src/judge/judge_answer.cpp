// Committing an answer box: the verdict label is the only record of a verdict, so an unchanged verdict
// does nothing at all; a changed one may solve the question, reveal what the quiz's comment kind asks
// for, and recount the score.
#include "judge/judge_answer.h"

#include <cstring>
#include <string>

#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "judge/answer_match.h"
#include "judge/score.h"
#include "judge/verdict.h"
#include "platform/ports/controls.h"
#include "platform/ports/graphics.h"
#include "platform/ports/pictures.h"
#include "platform/ports/platform.h"
#include "platform/panel_ids.h"

namespace fenok {

namespace {

constexpr int kSolutionBox = 260;

bool isRight(const char* verdict) { return std::strcmp(verdict, kVerdictRight) == 0; }

// Every box of the question holds exactly one of its accepted answers at this moment.
bool wholeQuestionRight(const Quiz& quiz, Controls& panel, const AnswerEntry& entry, int questionIndex) {
  const int boxes = boxesPerQuestion(quiz);
  int right = 0;
  for (int box = 1; box <= boxes; ++box) {
    const std::string typed = panel.text(answerBoxId(quiz, questionIndex, box), kBoxReadBuffer);
    if (typedMatches(typed, acceptedForms(entry, box), quiz.accentMode)) ++right;
  }
  return right == boxes;
}

void showSolutionPicture(Platform& platform, Controls& panel, int questionIndex) {
  const int label = pictureLabelId(questionIndex + 1);
  // Without a picture label (text and media quizzes) a loaded bitmap would have nowhere to go.
  if (!panel.exists(label)) return;
  const Picture solution =
      platform.pictures.loadPicture(kFirstSolutionResource + questionIndex + 1, "IMG", kSolutionBox, kSolutionBox);
  if (!solution.bitmap) return;
  const Handle previous = panel.image(label);
  platform.graphics.deleteObject(previous);
  panel.setImage(label, ImageType::bitmap, solution.bitmap);
}

void revealSolved(Platform& platform, const Quiz& quiz, Controls& panel, int questionIndex) {
  switch (quiz.commentKind) {
    case kCommentText:
      panel.show(commentLabelId(questionIndex + 1), kSwShowNormal);
      break;
    case kCommentTextAndPicture:
      panel.show(commentLabelId(questionIndex + 1), kSwShowNormal);
      showSolutionPicture(platform, panel, questionIndex);
      break;
    case kCommentSolutionPicture:
      showSolutionPicture(platform, panel, questionIndex);
      break;
    default:
      break;
  }
}

bool everyVerdictRight(const Quiz& quiz, Controls& panel) {
  const int boxes = answerBoxCount(quiz);
  for (int i = 0; i < boxes; ++i) {
    if (panel.text(verdictLabelId(kFirstAnswerBoxId + i), kVerdictReadBuffer) != kVerdictRight) return false;
  }
  return true;
}

void revealAllComments(const Quiz& quiz, Controls& panel) {
  const int questions = boundedQuestionCount(quiz);
  for (int q = 0; q < questions; ++q) panel.show(commentLabelId(q + 1), kSwShowNormal);
}

}  // namespace

bool judgeAnswer(Platform& platform, Quiz& quiz, Controls& panel, int boxId) {
  BoxPlace place;
  if (!locateAnswerBox(quiz, boxId, place)) return false;
  AnswerEntry* entry = answerAt(quiz, place.questionIndex);
  if (!entry) return false;

  const int label = verdictLabelId(boxId);
  const std::string shown = panel.text(label, kVerdictReadBuffer);
  const char* verdict =
      judgeTyped(panel.text(boxId, kBoxReadBuffer), acceptedForms(*entry, place.box), quiz.accentMode);
  if (shown == verdict) return false;
  panel.setText(label, verdict);

  if (!isRight(verdict)) {
    // solved and a solution picture already shown stay: only the comment goes.
    panel.show(commentLabelId(place.questionIndex + 1), kSwHide);
    quiz.allSolved = 0;
  } else if (wholeQuestionRight(quiz, panel, *entry, place.questionIndex)) {
    entry->solved = 1;
    revealSolved(platform, quiz, panel, place.questionIndex);
  }

  if (quiz.commentKind == kCommentAllAtEnd && quiz.allSolved == 0 && everyVerdictRight(quiz, panel)) {
    quiz.allSolved = 1;
    revealAllComments(quiz, panel);
  }
  updateScore(quiz, panel);
  return true;
}

}  // namespace fenok
