#pragma once
// Scroll ranges of the quiz panel, and hiding of solved questions ("Cacher").

namespace fenok {

class Controls;
struct Quiz;

void setupScrollBars(const Quiz& quiz, Controls& panel);
// Sets the ranges up again and scrolls the content by however far the platform moved the positions,
// so the controls stay in step with the bars (resize, rows closing up or opening).
void refreshScrollBars(const Quiz& quiz, Controls& panel);
void updateHiddenQuestions(Quiz& quiz);  // works on quiz.quizPanel; none: skipped

}  // namespace fenok
