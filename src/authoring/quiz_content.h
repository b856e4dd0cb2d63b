#pragma once
// A checked quiz, ready to be stored: texts in Windows-1252, each within its field and free of the
// separators of the stored format.
#include <cstdint>
#include <string>
#include <vector>

#include "content/quiz.h"

namespace fenok::pack {

struct QuizQuestion {
  std::string answer, secondAnswer, text, comment;
  // More answers accepted in each box (initialised, so that a question written as {answer, ...} need not
  // name them).
  std::vector<std::string> also{}, secondAlso{};
};

struct QuizContent {
  int mediaKind = 1;
  int answersPerQuestion = 1;
  int commentKind = 0;
  int accentMode = 0;  // kAccentsStrict or kAccentsTolerant
  std::string title, author, explanation, firstAnswerLabel, secondAnswerLabel;
  std::vector<QuizQuestion> questions;
  std::vector<std::string> rewards;  // one per score level; missing levels are stored empty
  std::uint8_t backRed = kDefaultBackRed, backGreen = kDefaultBackGreen, backBlue = kDefaultBackBlue;
};

}  // namespace fenok::pack
