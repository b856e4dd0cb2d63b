#pragma once
// Where the answer boxes of a quiz are: how many each question has, and the identifiers of a question's
// boxes and verdict labels. Everything that walks the boxes (construction, judging, score, saving,
// hiding, keys) asks here, so a text quiz declared with two answers per question, which shows one box
// per question, is numbered, judged, scored and saved the same way everywhere.
#include "platform/panel_ids.h"

namespace fenok {

struct Quiz;

// Boxes built per question: one in a text quiz whatever answersPerQuestion says; answersPerQuestion (1 or
// 2) in a picture or media quiz; none when the kind or the count is one the panel builds nothing for.
int boxesPerQuestion(const Quiz& quiz);
int answerBoxCount(const Quiz& quiz);  // all boxes of the panel: questionCount x boxesPerQuestion

// Box k (1-based) of question index q (0 for question 1).
int answerBoxId(const Quiz& quiz, int questionIndex, int box);

struct BoxPlace {
  int questionIndex = 0;  // 0 for question 1
  int box = 1;            // 1 or 2 within the question
};
// The question and the place within it of an answer box; false for an identifier that is no answer box
// of this quiz's numbering (below 4001, or a quiz without boxes). Identifiers past the last box give
// question indexes past the end, which the answer lookup maps to the last entry.
bool locateAnswerBox(const Quiz& quiz, int boxId, BoxPlace& place);

}  // namespace fenok
