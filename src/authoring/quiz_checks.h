#pragma once
// The checks that make a quiz that builds a quiz that works: counts, required keys, kinds that fit
// together, texts the player can hold and show, readable labels. Media files are checked apart
// (quiz_media.h).
#include "diagnostics.h"
#include "quiz_content.h"
#include "quiz_source.h"
#include "ui/grid_geometry.h"

namespace fenok::pack {

constexpr std::size_t kMaxTextBytes = kTextField - 1;  // a field less its terminator
constexpr std::size_t kAnswerBoxLength = kGridBoxTextLimit;  // what an answer box takes, so what can be typed

// Fills content with the converted texts; problems go to diagnostics.
void checkQuiz(const QuizSource& source, QuizContent& content, Diagnostics& diagnostics);

// True when the number labels, black or white by the player's rule, are hard to read on this colour.
bool labelsHardToRead(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace fenok::pack
