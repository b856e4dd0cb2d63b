// Numbering of the answer boxes, shared by every part that walks them.
#include "judge/answer_boxes.h"

#include "content/quiz.h"

namespace fenok {

int boxesPerQuestion(const Quiz& quiz) {
  switch (quiz.mediaKind) {
    case kMediaText:
      return 1;
    case kMediaPictures:
    case kMediaAudio:
    case kMediaVideo:
      return (quiz.answersPerQuestion == 1 || quiz.answersPerQuestion == 2) ? quiz.answersPerQuestion : 0;
    default:
      return 0;
  }
}

int answerBoxCount(const Quiz& quiz) {
  return boundedQuestionCount(quiz) * boxesPerQuestion(quiz);
}

int answerBoxId(const Quiz& quiz, int questionIndex, int box) {
  return kFirstAnswerBoxId + questionIndex * boxesPerQuestion(quiz) + (box - 1);
}

bool locateAnswerBox(const Quiz& quiz, int boxId, BoxPlace& place) {
  const int perQuestion = boxesPerQuestion(quiz);
  if (perQuestion == 0 || boxId < kFirstAnswerBoxId) return false;
  const int running = boxId - kFirstAnswerBoxId;
  place.questionIndex = running / perQuestion;
  place.box = running % perQuestion + 1;
  return true;
}

}  // namespace fenok
