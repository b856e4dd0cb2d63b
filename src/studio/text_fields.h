#pragma once
// Which control edits which value of the description, and when a question's field applies: the
// tables the screen fills and reads its controls by.
#include <string>
#include <vector>

#include "authoring/quiz_source.h"

namespace fenok::studio {

// A text of the quiz's settings.
struct QuizTextField {
  int control;
  pack::SourceText pack::QuizSource::*text;
};
extern const QuizTextField kQuizTextFields[5];
const QuizTextField* quizTextField(int control);  // null when the control edits none

// A kind chosen in a combo box: the row is the stored value less offset.
struct KindChoice {
  int control;
  int pack::QuizSource::*kind;
  int offset;
};
const KindChoice* kindChoice(int control);

// A field of the selected question: its label (0: it shares the first box's), its control, its
// "Parcourir…" button (0: none), when the quiz's kinds use it, and the value it edits (a text, or the
// list of accepted forms).
struct QuestionField {
  int label;
  int control;
  int browse;
  bool (*applies)(const pack::QuizSource& quiz);
  pack::SourceText* (*text)(const pack::QuizSource& quiz, pack::SourceQuestion& question);
  std::vector<pack::SourceText>* (*forms)(pack::SourceQuestion& question);
};
extern const QuestionField kQuestionFields[8];
const QuestionField* questionField(int control);
// What a field shows of a question, as text.
std::string shownValue(const QuestionField& field, const pack::QuizSource& quiz, const pack::SourceQuestion& question);

// A trial box: which answer box of the question it tries, and its controls.
struct TrialBox {
  int number;  // 1 or 2
  int label;   // 0: the second box shares the first's
  int input;
  int verdict;
};
extern const TrialBox kTrialBoxes[2];
bool trialApplies(const TrialBox& box, const pack::QuizSource& quiz);

// Accepted forms as typed in one box: separated by ';', outer spaces dropped, empty ones skipped.
std::vector<pack::SourceText> splitForms(const std::string& typed);
std::string joinForms(const std::vector<pack::SourceText>& forms);
pack::SourceText presentText(const std::string& value);

// File dialog patterns of what a question can show.
extern const char* const kPicturePatterns;
extern const char* const kClipPatterns;
extern const char* const kMediaPatterns;

}  // namespace fenok::studio
