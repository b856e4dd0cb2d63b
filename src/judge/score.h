#pragma once
// The score counter and reward code of the header, recounted from the verdict labels.

namespace fenok {

class Controls;
struct Platform;
struct Quiz;

constexpr int kScoreCounterId = 32;
constexpr int kCodeBoxId = 30;

void updateScore(Platform& platform, Quiz& quiz, Controls& panel);

}  // namespace fenok
