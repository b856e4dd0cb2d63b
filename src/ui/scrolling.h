#pragma once
// Scroll ranges of the quiz panel, and hiding of solved questions ("Cacher").

namespace fenok {

class Controls;
struct Platform;
struct Quiz;

void setupScrollBars(const Quiz& quiz, Controls& panel);
// Sets the ranges up again and scrolls the content by however far the platform moved the positions,
// so the controls stay in step with the bars (resize, rows closing up or opening).
void refreshScrollBars(const Quiz& quiz, Controls& panel);
void updateHiddenQuestions(Platform& platform, Quiz& quiz);  // works on quiz.quizPanel; none: skipped
void shiftQuestion(Quiz& quiz, int mode, int showCommand, Controls& panel, int distance, int direction,
                   int question);

}  // namespace fenok
