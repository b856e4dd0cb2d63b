#pragma once
// A quiz description as its author wrote it (UTF-8 texts, file paths), with the line of every value
// so that problems can point at it.
#include <cstdint>
#include <string>
#include <vector>

#include "content/quiz.h"

namespace fenok::pack {

struct SourceText {
  std::string value;
  int line = 0;
  bool present = false;
};

struct SourceQuestion {
  int line = 0;  // of its [[question]] header
  SourceText answer, secondAnswer, text, comment, picture, solution, clip;
  std::vector<SourceText> also, secondAlso;  // more answers accepted in each box
  int alsoLine = 0, secondAlsoLine = 0;      // of the keys, 0 when absent
};

constexpr int kUnknownMedia = -1;

struct QuizSource {
  SourceText title, author, explanation;
  int mediaKind = 1;
  int mediaLine = 0;
  bool mediaPresent = false;
  int answersPerQuestion = 1;
  int answersPerQuestionLine = 0;
  SourceText firstAnswerLabel, secondAnswerLabel;
  int commentKind = 0;
  int commentsLine = 0;
  int accentMode = 0;  // kAccentsStrict, the player's own rule, unless asked
  int accentsLine = 0;
  std::uint8_t backRed = kDefaultBackRed, backGreen = kDefaultBackGreen, backBlue = kDefaultBackBlue;
  int backgroundLine = 0;
  std::vector<SourceText> rewards;
  int rewardsLine = 0;
  std::vector<SourceQuestion> questions;
  int questionsLine = 0;  // of the first [[question]], or 0
};

// The names of the kinds, as the TOML form writes them; index = the stored value.
extern const char* const kMediaNames[4];    // "text", "pictures", "audio", "video"
extern const char* const kCommentNames[5];  // "none", "solution-picture", "comment", ...
extern const char* const kAccentNames[2];   // "strict", "tolerant"

}  // namespace fenok::pack
