#include "content/quiz.h"

#include <algorithm>
#include <new>

#include "content/quiz_colours.h"
#include "platform/ports/graphics.h"

namespace fenok {
namespace {

constexpr std::uint32_t kDefaultBackColour =
    kDefaultBackRed | (std::uint32_t{kDefaultBackGreen} << 8) | (std::uint32_t{kDefaultBackBlue} << 16);

}  // namespace

void copyField(char* field, int width, const char* text) {
  if (field == nullptr || width <= 0) return;
  int length = 0;
  if (text != nullptr) {
    while (length < width - 1 && text[length] != '\0') {
      field[length] = text[length];
      ++length;
    }
  }
  field[length] = '\0';
}

void initQuiz(Quiz& quiz, Graphics& graphics) {
  quiz.firstAnswer = nullptr;
  quiz.lastAnswer = nullptr;
  quiz.headerPanel = nullptr;
  quiz.quizPanel = nullptr;

  FontDescription counter;
  counter.height = 25;
  counter.weight = 400;
  counter.face = "Arial";
  quiz.counterFont = graphics.createFont(counter);

  FontDescription title;
  title.height = -15;
  title.weight = 700;
  title.italic = true;
  quiz.titleFont = graphics.createFont(title);

  quiz.commentKind = kCommentNone;
  quiz.mediaKind = kMediaText;

  copyField(quiz.title, kTextField, "nom du fenok");
  copyField(quiz.author, kTextField, " createur");

  quiz.backRed = 90;
  quiz.backGreen = 95;
  quiz.backBlue = 150;
  quiz.backBrush = graphics.createSolidBrush(kDefaultBackColour);

  quiz.questionCount = 2;
  quiz.answersPerQuestion = 1;

  quiz.allSolved = 0;
  for (std::int32_t& state : quiz.questionStates) state = kQuestionShown;

  quiz.redBrush = graphics.createSolidBrush(kRedColour);
  quiz.orangeBrush = graphics.createSolidBrush(kOrangeColour);
  quiz.amberBrush = graphics.createSolidBrush(kAmberColour);
  quiz.paleYellowBrush = graphics.createSolidBrush(kPaleYellowColour);

  quiz.mediaFolder[0] = '\0';
  quiz.accentMode = kAccentsStrict;
}

bool appendAnswer(Quiz& quiz, const char* answer, const char* secondAnswer, const char* question) {
  AnswerEntry* entry = new (std::nothrow) AnswerEntry{};
  if (entry == nullptr) return false;
  copyField(entry->answer, kTextField, answer);
  copyField(entry->secondAnswer, kTextField, secondAnswer);
  copyField(entry->question, kTextField, question);
  entry->previous = quiz.lastAnswer;
  if (quiz.lastAnswer != nullptr) quiz.lastAnswer->next = entry;
  if (quiz.firstAnswer == nullptr) quiz.firstAnswer = entry;
  quiz.lastAnswer = entry;
  return true;
}

int boundedQuestionCount(const Quiz& quiz) { return std::clamp(quiz.questionCount, 0, kMaxQuestions); }

AnswerEntry* answerAt(const Quiz& quiz, int index) {
  AnswerEntry* entry = quiz.firstAnswer;
  for (int i = 0; i < index && entry != nullptr && entry->next != nullptr; ++i) entry = entry->next;
  return entry;
}

void freeQuiz(Quiz& quiz, Graphics& graphics) {
  Handle* const owned[] = {&quiz.backBrush, &quiz.redBrush,  &quiz.orangeBrush, &quiz.amberBrush,
                           &quiz.paleYellowBrush, &quiz.titleFont, &quiz.panelFont, &quiz.counterFont};
  for (Handle* handle : owned) {
    graphics.deleteObject(*handle);
    *handle = nullptr;
  }
  AnswerEntry* entry = quiz.firstAnswer;
  while (entry != nullptr) {
    AnswerEntry* next = entry->next;
    delete entry;
    entry = next;
  }
  quiz.firstAnswer = nullptr;
  quiz.lastAnswer = nullptr;
}

}  // namespace fenok
