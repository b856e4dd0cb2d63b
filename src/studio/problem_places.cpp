#include "problem_places.h"

#include <algorithm>
#include <iterator>

#include "studio_ids.h"

namespace fenok::studio {
namespace {

using pack::SourceQuestion;
using pack::SourceText;

// Every text key of a question and the control that edits it.
struct QuestionKey {
  SourceText SourceQuestion::*text;
  int control;
};
const QuestionKey kQuestionKeys[] = {
    {&SourceQuestion::answer, STUDIO_ANSWER},   {&SourceQuestion::secondAnswer, STUDIO_SECOND_ANSWER},
    {&SourceQuestion::text, STUDIO_TEXT},       {&SourceQuestion::comment, STUDIO_COMMENT},
    {&SourceQuestion::picture, STUDIO_FILE},    {&SourceQuestion::solution, STUDIO_SOLUTION},
    {&SourceQuestion::clip, STUDIO_FILE},
};

// Problems told at a question's first line ("missing key 'picture' in question 3") name their key.
struct KeyControl {
  const char* key;
  int control;
};
const KeyControl kQuestionKeyControls[] = {
    {"answer", STUDIO_ANSWER}, {"second_answer", STUDIO_SECOND_ANSWER}, {"text", STUDIO_TEXT},
    {"picture", STUDIO_FILE},  {"clip", STUDIO_FILE},
};
// Keys of the whole quiz, told without a line.
const KeyControl kQuizKeyControls[] = {{"media", STUDIO_MEDIA}, {"title", STUDIO_TITLE}};

int controlOfKey(const pack::Message& message, const KeyControl* begin, const KeyControl* end) {
  if (message.args.empty()) return 0;
  const auto found = std::find_if(begin, end, [&](const KeyControl& key) { return message.args[0].text == key.key; });
  return found != end ? found->control : 0;
}

// The control a problem told at a question's first line is about, or 0.
int questionControl(const pack::Message& message) {
  if (message.id == pack::Msg::missingSolution) return STUDIO_SOLUTION;
  if (message.id != pack::Msg::missingQuestionKey) return 0;
  return controlOfKey(message, std::begin(kQuestionKeyControls), std::end(kQuestionKeyControls));
}

// The control a problem of the whole quiz without a line is about, or 0.
int quizWideControl(const pack::Message& message) {
  if (message.id == pack::Msg::noQuestion) return STUDIO_QUESTIONS;
  if (message.id != pack::Msg::missingKey) return 0;
  return controlOfKey(message, std::begin(kQuizKeyControls), std::end(kQuizKeyControls));
}

}  // namespace

ProblemPlaces::ProblemPlaces(const pack::QuizSource& parsed) {
  add(parsed.title.line, -1, STUDIO_TITLE);
  add(parsed.author.line, -1, STUDIO_AUTHOR);
  add(parsed.explanation.line, -1, STUDIO_EXPLANATION);
  add(parsed.mediaLine, -1, STUDIO_MEDIA);
  add(parsed.answersPerQuestionLine, -1, STUDIO_ANSWERS_PER_QUESTION);
  add(parsed.firstAnswerLabel.line, -1, STUDIO_FIRST_CAPTION);
  add(parsed.commentsLine, -1, STUDIO_COMMENTS);
  add(parsed.accentsLine, -1, STUDIO_ACCENTS);
  add(parsed.backgroundLine, -1, STUDIO_BACKGROUND);
  add(parsed.rewardsLine, -1, STUDIO_REWARDS);
  for (std::size_t i = 0; i < parsed.questions.size(); ++i) {
    const SourceQuestion& question = parsed.questions[i];
    const int index = static_cast<int>(i);
    add(question.line, index, 0);
    for (const QuestionKey& key : kQuestionKeys) add((question.*key.text).line, index, key.control);
    add(question.alsoLine, index, STUDIO_ALSO);
    add(question.secondAlsoLine, index, STUDIO_SECOND_ALSO);
  }
}

void ProblemPlaces::add(int line, int question, int control) {
  if (line > 0) places_[line] = Place{question, control};
}

Place ProblemPlaces::placeOf(const pack::Problem& problem) const {
  const auto found = places_.find(problem.line);
  if (found == places_.end()) {
    const int control = quizWideControl(problem.message);
    return control != 0 ? Place{-1, control} : Place{};
  }
  Place place = found->second;
  if (place.control == 0) place.control = questionControl(problem.message);
  if (place.question >= 0 && place.control == 0) place.control = STUDIO_QUESTIONS;
  return place;
}

}  // namespace fenok::studio
