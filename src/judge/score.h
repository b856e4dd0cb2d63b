#pragma once
// The score counter and reward code of the header, recounted from the verdict labels.
#include <string>

namespace fenok {

class Controls;
struct Quiz;

void updateScore(Quiz& quiz, Controls& panel);

// Questions whose every verdict label reads "BRAVO" now, and the counter text " %d / %d".
// Every verdict label of the question (index 0 for question 1) shows "BRAVO" now.
bool questionSolvedOnScreen(const Quiz& quiz, Controls& panel, int questionIndex);
int countSolvedQuestions(const Quiz& quiz, Controls& panel);
std::string scoreLine(int score, int questionCount);

}  // namespace fenok
