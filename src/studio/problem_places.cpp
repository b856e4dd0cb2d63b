#include "problem_places.h"

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
struct MissingKey {
  const char* words;
  int control;
};
const MissingKey kMissingKeys[] = {
    {"missing key 'answer'", STUDIO_ANSWER}, {"missing key 'second_answer'", STUDIO_SECOND_ANSWER},
    {"missing key 'text'", STUDIO_TEXT},     {"missing key 'picture'", STUDIO_FILE},
    {"missing key 'clip'", STUDIO_FILE},     {"missing key 'solution'", STUDIO_SOLUTION},
};

// Problems of the whole quiz without a line, by their words.
const MissingKey kQuizWide[] = {
    {"missing key 'media'", STUDIO_MEDIA},
    {"the quiz has no [[question]]", STUDIO_QUESTIONS},
};

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
    for (const MissingKey& key : kQuizWide)
      if (problem.message.find(key.words) != std::string::npos) return Place{-1, key.control};
    return Place{};
  }
  Place place = found->second;
  if (place.control == 0)
    for (const MissingKey& key : kMissingKeys)
      if (problem.message.find(key.words) != std::string::npos) place.control = key.control;
  if (place.question >= 0 && place.control == 0) place.control = STUDIO_QUESTIONS;
  return place;
}

}  // namespace fenok::studio
