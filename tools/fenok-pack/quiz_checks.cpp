#include "quiz_checks.h"

#include <cmath>

#include "content/quiz.h"
#include "judge/accent_fold.h"
#include "text_encoding.h"
#include "ui/quiz_panel.h"

namespace fenok::pack {
namespace {

enum TextKind { kPlainText, kAnswerText, kRewardText };

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// What every stored text must respect: its field, and none of the format's separators.
void checkStoredText(const std::string& bytes, int line, const std::string& what, TextKind kind,
                     Diagnostics& diagnostics) {
  if (bytes.find('|') != std::string::npos)
    diagnostics.error(line, what + " contains '|', which the stored quiz uses to end its texts");
  if (bytes.find('\0') != std::string::npos) diagnostics.error(line, what + " contains a NUL character");
  if (bytes.size() > kMaxTextBytes)
    diagnostics.error(line, what + " is " + std::to_string(bytes.size()) + " characters long; at most " +
                                std::to_string(kMaxTextBytes) + " fit");
  if (kind == kRewardText && bytes.find_first_of("\r\n") != std::string::npos)
    diagnostics.error(line, what + " contains a line break; the stored rewards are one per line");
}

// What an expected answer must respect to be typed, kept and judged right.
void checkAnswer(const std::string& bytes, const SourceText& text, const std::string& what, int mediaKind,
                 Diagnostics& diagnostics) {
  const int line = text.line;
  if (bytes.find_first_of("\r\n") != std::string::npos)
    diagnostics.error(line, what + " contains a line break, which an answer box cannot take");
  if (bytes.empty()) diagnostics.error(line, what + " is empty");
  const bool overTheBox = bytes.size() > kAnswerBoxLength && bytes.size() <= kMaxTextBytes;
  if (overTheBox && mediaKind == kMediaText)
    diagnostics.warning(line, what + " is longer than " + std::to_string(kAnswerBoxLength) +
                                  " characters; a saved answer keeps only its first " + std::to_string(kAnswerBoxLength));
  else if (overTheBox)
    diagnostics.error(line, what + " is " + std::to_string(bytes.size()) + " characters long; an answer box takes " +
                                std::to_string(kAnswerBoxLength) + ", so it could never be typed");
  if (!bytes.empty() && (bytes.front() == ' ' || bytes.back() == ' '))
    diagnostics.warning(line, what + " " + quoted(text.value) +
                                  " begins or ends with a space; it can never be judged \"BRAVO\"");
}

// Converts one text to Windows-1252 and checks it; empty when it cannot be converted.
std::string convertText(const SourceText& text, const std::string& what, TextKind kind, int mediaKind,
                        Diagnostics& diagnostics) {
  EncodingError encoding;
  const std::optional<std::string> converted = utf8ToCp1252(text.value, &encoding);
  if (!converted) {
    diagnostics.error(text.line, what + " contains '" + encoding.character + "' (" + encoding.description +
                                     "), which Windows-1252 cannot hold");
    return {};
  }
  checkStoredText(*converted, text.line, what, kind, diagnostics);
  if (kind == kAnswerText) checkAnswer(*converted, text, what, mediaKind, diagnostics);
  return *converted;
}

// In strict mode the player upper-cases only a-z: an answer with a capital such as É, Œ or Ç is never
// "BRAVO" for a player who types it in small letters.
void checkCapitals(const std::string& bytes, const SourceText& text, const std::string& what, int accentMode,
                   Diagnostics& diagnostics) {
  if (accentMode != kAccentsStrict || !hasCapitalBeyondAscii(bytes)) return;
  std::string capital;
  for (const char c : bytes)
    if (capital.empty() && hasCapitalBeyondAscii(std::string(1, c))) capital = cp1252ToUtf8(std::string(1, c));
  diagnostics.warning(text.line, what + " " + quoted(text.value) + " has '" + capital +
                                     "', which the player does not upper-case: typed in small letters it is never "
                                     "judged \"BRAVO\"; accents = \"tolerant\" makes case and accents not count");
}

// An expected answer or an accepted one: converted, checked as an answer, and for its capitals.
std::string convertAnswer(const SourceText& text, const std::string& what, const QuizSource& source,
                          Diagnostics& diagnostics) {
  const std::string bytes = convertText(text, what, kAnswerText, source.mediaKind, diagnostics);
  checkCapitals(bytes, text, what, source.accentMode, diagnostics);
  return bytes;
}

std::vector<std::string> convertAlso(const std::vector<SourceText>& forms, int line, const std::string& box,
                                     const QuizSource& source, Diagnostics& diagnostics) {
  if (forms.size() > static_cast<std::size_t>(kMaxAlsoForms))
    diagnostics.error(line, box + " has " + std::to_string(forms.size()) + " more accepted answers; at most " +
                                std::to_string(kMaxAlsoForms) + " fit");
  std::vector<std::string> converted;
  for (std::size_t i = 0; i < forms.size() && i < static_cast<std::size_t>(kMaxAlsoForms); ++i)
    if (forms[i].present)
      converted.push_back(
          convertAnswer(forms[i], "accepted answer " + std::to_string(i + 1) + " of " + box, source, diagnostics));
  return converted;
}

void requireKey(const SourceText& text, const char* key, const std::string& where, int line,
                Diagnostics& diagnostics) {
  if (!text.present) diagnostics.error(line, "missing key '" + std::string(key) + "'" + where);
}

void checkKinds(const QuizSource& source, Diagnostics& diagnostics) {
  if (!source.mediaPresent) diagnostics.error(0, "missing key 'media'");
  if (source.mediaKind == kMediaText && source.answersPerQuestion == 2)
    diagnostics.error(source.answersPerQuestionLine, "a text quiz has one answer box per question");
  if (showsSolutionPicture(source.commentKind) && source.mediaKind != kMediaPictures)
    diagnostics.error(source.commentsLine, "'comments' = " + quoted(kCommentNames[source.commentKind]) +
                                               " shows solution pictures, which only a picture quiz has");
  if (carriesComments(source.commentKind) && source.mediaKind == kMediaText)
    diagnostics.warning(source.commentsLine, "a text quiz shows no comments");
  if (source.answersPerQuestion == 1 &&
      (!source.firstAnswerLabel.value.empty() || !source.secondAnswerLabel.value.empty()))
    diagnostics.warning(source.firstAnswerLabel.line,
                        "'answer_labels' are only shown with two answers per question");
}

void checkQuestionCount(const QuizSource& source, Diagnostics& diagnostics) {
  const std::size_t count = source.questions.size();
  if (count == 0) diagnostics.error(0, "the quiz has no [[question]]");
  if (count > static_cast<std::size_t>(kMaxQuestions))
    diagnostics.error(source.questions[kMaxQuestions].line,
                      "more than " + std::to_string(kMaxQuestions) + " questions (" + std::to_string(count) + ")");
}

QuizQuestion convertQuestion(const QuizSource& source, std::size_t index, Diagnostics& diagnostics) {
  const SourceQuestion& question = source.questions[index];
  const std::string number = std::to_string(index + 1);
  const std::string where = " in question " + number;
  requireKey(question.answer, "answer", where, question.line, diagnostics);
  if (source.answersPerQuestion == 2)
    requireKey(question.secondAnswer, "second_answer", where, question.line, diagnostics);
  else if (question.secondAnswer.present)
    diagnostics.error(question.secondAnswer.line, "'second_answer' needs answers_per_question = 2");
  if (source.mediaKind == kMediaText) requireKey(question.text, "text", where, question.line, diagnostics);
  if (question.comment.present && !carriesComments(source.commentKind))
    diagnostics.warning(question.comment.line, "the comment of question " + number + " is never shown with 'comments' = " +
                                                   quoted(kCommentNames[source.commentKind]));

  if (question.secondAlsoLine > 0 && source.answersPerQuestion != 2)
    diagnostics.error(question.secondAlsoLine, "'second_also' needs answers_per_question = 2");

  QuizQuestion converted;
  const int media = source.mediaKind;
  if (question.answer.present)
    converted.answer = convertAnswer(question.answer, "the answer of question " + number, source, diagnostics);
  if (question.secondAnswer.present && source.answersPerQuestion == 2)
    converted.secondAnswer =
        convertAnswer(question.secondAnswer, "the second answer of question " + number, source, diagnostics);
  converted.also = convertAlso(question.also, question.alsoLine, "question " + number, source, diagnostics);
  if (source.answersPerQuestion == 2)
    converted.secondAlso = convertAlso(question.secondAlso, question.secondAlsoLine,
                                       "the second box of question " + number, source, diagnostics);
  converted.text = convertText(question.text, "the text of question " + number, kPlainText, media, diagnostics);
  converted.comment =
      convertText(question.comment, "the comment of question " + number, kPlainText, media, diagnostics);
  return converted;
}

void convertRewards(const QuizSource& source, QuizContent& content, Diagnostics& diagnostics) {
  const std::size_t questions = source.questions.size();
  if (source.rewards.size() > questions)
    diagnostics.error(source.rewardsLine, std::to_string(source.rewards.size()) + " rewards for " +
                                              std::to_string(questions) + " questions: one per score level at most");
  else if (source.rewardsLine > 0 && source.rewards.size() < questions)  // no rewards at all is a choice
    diagnostics.warning(source.rewardsLine, std::to_string(source.rewards.size()) + " rewards for " +
                                                std::to_string(questions) + " questions: the higher levels show none");
  for (std::size_t level = 0; level < source.rewards.size(); ++level)
    content.rewards.push_back(convertText(source.rewards[level], "reward " + std::to_string(level + 1),
                                          kRewardText, source.mediaKind, diagnostics));
}

double linear(std::uint8_t component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

bool labelsHardToRead(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  // The number labels are drawn black or white as the player does; below a contrast ratio of 3 (the
  // usual floor for large text) they are hard to read.
  const double luminance = 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue);
  const bool blackText = labelsDrawnBlack(red, green);
  const double contrast = blackText ? (luminance + 0.05) / 0.05 : 1.05 / (luminance + 0.05);
  return contrast < 3.0;
}

void checkQuiz(const QuizSource& source, QuizContent& content, Diagnostics& diagnostics) {
  requireKey(source.title, "title", "", 0, diagnostics);
  checkKinds(source, diagnostics);
  checkQuestionCount(source, diagnostics);

  content.mediaKind = source.mediaKind;
  content.answersPerQuestion = source.answersPerQuestion;
  content.commentKind = source.commentKind;
  content.accentMode = source.accentMode;
  content.backRed = source.backRed;
  content.backGreen = source.backGreen;
  content.backBlue = source.backBlue;
  const int media = source.mediaKind;
  content.title = convertText(source.title, "the title", kPlainText, media, diagnostics);
  content.author = convertText(source.author, "the author", kPlainText, media, diagnostics);
  content.explanation = convertText(source.explanation, "the explanation", kPlainText, media, diagnostics);
  content.firstAnswerLabel = convertText(source.firstAnswerLabel, "the first answer label", kPlainText, media, diagnostics);
  content.secondAnswerLabel =
      convertText(source.secondAnswerLabel, "the second answer label", kPlainText, media, diagnostics);
  for (std::size_t i = 0; i < source.questions.size() && i < static_cast<std::size_t>(kMaxQuestions); ++i)
    content.questions.push_back(convertQuestion(source, i, diagnostics));
  convertRewards(source, content, diagnostics);
  if (labelsHardToRead(source.backRed, source.backGreen, source.backBlue))
    diagnostics.warning(source.backgroundLine, "the background makes the question numbers hard to read (" +
                                                   std::string(labelsDrawnBlack(source.backRed, source.backGreen) ? "black" : "white") +
                                                   " on this colour)");
}

}  // namespace fenok::pack
