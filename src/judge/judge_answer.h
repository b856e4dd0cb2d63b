#pragma once
// What committing an answer box does on the screen: verdict label, solved flag, comments, solution
// pictures, allSolved, then the score.

namespace fenok {

class Controls;
struct Platform;
struct Quiz;

// True when the verdict changed (and the score was recounted): the screen may have to hide or show
// solved questions again.
bool judgeAnswer(Platform& platform, Quiz& quiz, Controls& panel, int boxId);

}  // namespace fenok
