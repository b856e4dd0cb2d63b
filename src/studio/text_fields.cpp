#include "text_fields.h"

#include "studio_ids.h"

namespace fenok::studio {
namespace {

using pack::QuizSource;
using pack::SourceQuestion;
using pack::SourceText;

bool always(const QuizSource&) { return true; }
bool hasFiles(const QuizSource& quiz) { return quiz.mediaKind != kMediaText; }
bool isText(const QuizSource& quiz) { return quiz.mediaKind == kMediaText; }
bool twoBoxes(const QuizSource& quiz) { return quiz.answersPerQuestion == 2; }
bool hasComments(const QuizSource& quiz) { return carriesComments(quiz.commentKind); }
bool hasSolution(const QuizSource& quiz) {
  return quiz.mediaKind == kMediaPictures && showsSolutionPicture(quiz.commentKind);
}

// The file field holds the picture of a picture quiz and the clip of a clip quiz.
SourceText* fileOf(const QuizSource& quiz, SourceQuestion& q) {
  return quiz.mediaKind == kMediaPictures ? &q.picture : &q.clip;
}
SourceText* textOf(const QuizSource&, SourceQuestion& q) { return &q.text; }
SourceText* answerOf(const QuizSource&, SourceQuestion& q) { return &q.answer; }
SourceText* secondAnswerOf(const QuizSource&, SourceQuestion& q) { return &q.secondAnswer; }
SourceText* commentOf(const QuizSource&, SourceQuestion& q) { return &q.comment; }
SourceText* solutionOf(const QuizSource&, SourceQuestion& q) { return &q.solution; }
std::vector<SourceText>* alsoOf(SourceQuestion& q) { return &q.also; }
std::vector<SourceText>* secondAlsoOf(SourceQuestion& q) { return &q.secondAlso; }

const KindChoice kKindChoices[] = {
    {STUDIO_MEDIA, &QuizSource::mediaKind, 0},
    {STUDIO_ANSWERS_PER_QUESTION, &QuizSource::answersPerQuestion, 1},
    {STUDIO_COMMENTS, &QuizSource::commentKind, 0},
    {STUDIO_ACCENTS, &QuizSource::accentMode, 0},
};

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

const QuizTextField kQuizTextFields[5] = {
    {STUDIO_TITLE, &QuizSource::title},
    {STUDIO_AUTHOR, &QuizSource::author},
    {STUDIO_EXPLANATION, &QuizSource::explanation},
    {STUDIO_FIRST_CAPTION, &QuizSource::firstAnswerLabel},
    {STUDIO_SECOND_CAPTION, &QuizSource::secondAnswerLabel},
};

const QuestionField kQuestionFields[8] = {
    {STUDIO_FILE_LABEL, STUDIO_FILE, STUDIO_FILE_BROWSE, hasFiles, fileOf, nullptr},
    {STUDIO_TEXT_LABEL, STUDIO_TEXT, 0, isText, textOf, nullptr},
    {STUDIO_ANSWER_LABEL, STUDIO_ANSWER, 0, always, answerOf, nullptr},
    {STUDIO_ALSO_LABEL, STUDIO_ALSO, 0, always, nullptr, alsoOf},
    {0, STUDIO_SECOND_ANSWER, 0, twoBoxes, secondAnswerOf, nullptr},  // on the first answer's row
    {0, STUDIO_SECOND_ALSO, 0, twoBoxes, nullptr, secondAlsoOf},
    {STUDIO_COMMENT_LABEL, STUDIO_COMMENT, 0, hasComments, commentOf, nullptr},
    {STUDIO_SOLUTION_LABEL, STUDIO_SOLUTION, STUDIO_SOLUTION_BROWSE, hasSolution, solutionOf, nullptr},
};

const TrialBox kTrialBoxes[2] = {
    {1, STUDIO_TRIAL_LABEL, STUDIO_TRIAL, STUDIO_TRIAL_VERDICT},
    {2, 0, STUDIO_SECOND_TRIAL, STUDIO_SECOND_TRIAL_VERDICT},
};

const char* const kPicturePatterns = "*.jpg;*.jpeg;*.gif;*.png;*.webp;*.heic;*.heif;*.avif";
const char* const kClipPatterns = "*.wav;*.mp3;*.wma;*.mid;*.midi;*.avi;*.mpg;*.mpeg;*.wmv;*.asf;*.mp4";
const char* const kMediaPatterns =
    "*.jpg;*.jpeg;*.gif;*.png;*.webp;*.heic;*.heif;*.avif;*.wav;*.mp3;*.wma;*.mid;*.midi;*.avi;*.mpg;*.mpeg;*.wmv;"
    "*.asf;*.mp4";

const QuizTextField* quizTextField(int control) {
  for (const QuizTextField& field : kQuizTextFields)
    if (field.control == control) return &field;
  return nullptr;
}

const KindChoice* kindChoice(int control) {
  for (const KindChoice& choice : kKindChoices)
    if (choice.control == control) return &choice;
  return nullptr;
}

const QuestionField* questionField(int control) {
  for (const QuestionField& field : kQuestionFields)
    if (field.control == control) return &field;
  return nullptr;
}

std::string shownValue(const QuestionField& field, const QuizSource& quiz, const SourceQuestion& question) {
  // The accessors only pick a member; nothing is changed through them here.
  auto& held = const_cast<SourceQuestion&>(question);
  if (field.forms) return joinForms(*field.forms(held));
  return field.text ? field.text(quiz, held)->value : std::string();
}

bool trialApplies(const TrialBox& box, const QuizSource& quiz) { return box.number == 1 || twoBoxes(quiz); }

std::vector<SourceText> splitForms(const std::string& typed) {
  std::vector<SourceText> forms;
  std::size_t start = 0;
  while (start <= typed.size()) {
    const std::size_t end = std::min(typed.find(';', start), typed.size());
    const std::string form = trimmed(typed.substr(start, end - start));
    if (!form.empty()) forms.push_back(presentText(form));
    start = end + 1;
  }
  return forms;
}

std::string joinForms(const std::vector<SourceText>& forms) {
  std::string text;
  for (const SourceText& form : forms) text += (text.empty() ? "" : " ; ") + form.value;
  return text;
}

SourceText presentText(const std::string& value) {
  SourceText text;
  text.value = value;
  text.present = true;
  return text;
}

}  // namespace fenok::studio
