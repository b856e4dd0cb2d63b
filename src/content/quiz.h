#pragma once
// The one record of the quiz: texts, counts, kinds, colours, reward codes, the answer list and the few
// pieces of layout and window state that the screens share. Texts are Windows-1252, NUL-terminated,
// in fixed fields (a field of width w holds w - 1 bytes).
#include <cstdint>

#include "platform/ports/handle.h"

namespace fenok {

class Controls;
class Graphics;

constexpr int kTextField = 260;
// The background of a quiz whose content gives none: RGB(90, 95, 150).
constexpr std::uint8_t kDefaultBackRed = 90;
constexpr std::uint8_t kDefaultBackGreen = 95;
constexpr std::uint8_t kDefaultBackBlue = 150;
constexpr int kMaxQuestions = 96;
constexpr int kMaxRows = 32;
constexpr int kMediaFolderField = 512;
constexpr int kLinkAddressField = 25;
constexpr int kStatusTextField = 43;
// Answers a box accepts beside its expected one, kept in one field, separated by '|' (which no answer
// holds): room for the most forms at the longest answer.
constexpr int kMaxAlsoForms = 8;
constexpr int kAlsoField = kMaxAlsoForms * kTextField;
constexpr char kAlsoSeparator = '|';

enum MediaKind : std::int32_t { kMediaText = 0, kMediaPictures = 1, kMediaAudio = 2, kMediaVideo = 3 };

// What solving a question reveals (commentKind).
enum CommentKind : std::int32_t {
  kCommentNone = 0,
  kCommentSolutionPicture = 1,
  kCommentText = 2,
  kCommentTextAndPicture = 3,
  kCommentAllAtEnd = 4,
};

// Whether the questions carry a comment (stored with the content, shown when solved).
inline bool carriesComments(std::int32_t commentKind) {
  return commentKind == kCommentText || commentKind == kCommentTextAndPicture || commentKind == kCommentAllAtEnd;
}
// Whether a picture or media quiz gives every question a comment label and taller rows: any kind above 1,
// including kinds the loader reads no comments for, so the screen keeps its shape for such content.
inline bool showsCommentLabels(std::int32_t commentKind) { return commentKind > kCommentSolutionPicture; }
// Whether solving a question replaces its picture by the solution picture.
inline bool showsSolutionPicture(std::int32_t commentKind) {
  return commentKind == kCommentSolutionPicture || commentKind == kCommentTextAndPicture;
}

// Whether accents and case count when an answer is judged (accentMode).
enum AccentMode : std::int32_t {
  kAccentsStrict = 0,    // "é" and "É" differ: only a-z are upper-cased
  kAccentsTolerant = 1,  // case and accents do not count
};

// Display state of a question while solved ones are hidden.
enum QuestionState : std::int32_t { kQuestionShown = 0, kQuestionHidden = 1, kQuestionRowClosed = 2 };

struct AnswerEntry {
  char answer[kTextField];
  char secondAnswer[kTextField];
  char question[kTextField];
  char comment[kTextField];
  char also[kAlsoField];        // more answers accepted in the first box, '|'-separated; empty for none
  char secondAlso[kAlsoField];  // the same for the second box
  std::int32_t solved;  // 1 once all boxes were right together; never reset while the program runs
  AnswerEntry* previous;
  AnswerEntry* next;
};

struct Quiz {
  std::int32_t contentWidth;
  std::int32_t contentHeight;
  std::int32_t mediaKind;
  char title[kTextField];
  char author[kTextField];
  char explanation[kTextField];
  char firstAnswerLabel[kTextField];
  char secondAnswerLabel[kTextField];
  std::int32_t questionCount;  // 0 to 96
  std::int32_t answersPerQuestion;  // 1 or 2
  char rewardCodes[kMaxQuestions][kTextField];  // entry k is shown when k + 1 questions are solved
  std::int32_t commentKind;
  Handle panelFont;
  Handle counterFont;
  Handle titleFont;
  std::int32_t allSolved;
  Controls* quizPanel;  // none until the quiz panel's construction has finished
  std::int32_t rowHeights[kMaxRows];
  std::int32_t questionStates[kMaxQuestions + 1];  // indexed by question number 1 to 96; [0] unused
  std::uint8_t backRed;
  std::uint8_t backBlue;
  std::uint8_t backGreen;
  Handle backBrush;
  Handle redBrush;
  Handle orangeBrush;
  Handle amberBrush;
  Handle paleYellowBrush;
  Controls* headerPanel;
  char mediaFolder[kMediaFolderField];
  char linkAddress[kLinkAddressField];
  char statusText[kStatusTextField];
  AnswerEntry* firstAnswer;
  AnswerEntry* lastAnswer;
  std::int32_t accentMode;  // kAccentsStrict unless the content asks for tolerance
};

// Defaults, default fonts and brushes. Call once on a zero-filled record, before the loader.
void initQuiz(Quiz& quiz, Graphics& graphics);

// Adds an entry at the tail; false (nothing added) when no memory can be had. Texts are cut to their field.
bool appendAnswer(Quiz& quiz, const char* answer, const char* secondAnswer, const char* question);

// The entry of question index (0 for question 1); past the end, the last entry; null on an empty list.
AnswerEntry* answerAt(const Quiz& quiz, int index);

// The questions the screens build: questionCount kept within 0 to 96.
int boundedQuestionCount(const Quiz& quiz);

// Deletes the eight brushes and fonts in their order, then every entry.
void freeQuiz(Quiz& quiz, Graphics& graphics);

// Copies text into a field of the given width, cutting it to width - 1 bytes and NUL-terminating it.
void copyField(char* field, int width, const char* text);

}  // namespace fenok
