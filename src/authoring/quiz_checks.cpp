#include "quiz_checks.h"

#include <cmath>
#include <cstdio>

#include "content/quiz.h"
#include "judge/accent_fold.h"
#include "text_encoding.h"
#include "ui/header_panel.h"
#include "ui/quiz_panel.h"

namespace fenok::pack {
namespace {

enum TextKind { kPlainText, kAnswerText, kRewardText };

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// Windows-1252 bytes that the player's labels and boxes cannot show as a character: C0 controls,
// DEL, and the five unassigned bytes (C1 controls once converted).
bool isControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

std::string controlName(unsigned char byte) {
  if (byte == '\t') return "a tab";
  if (byte == '\r' || byte == '\n') return "a line break";
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(byte));
  return name;
}

// Line breaks in rewards and answers, and NUL anywhere, have messages of their own.
void checkControls(const std::string& bytes, int line, const std::string& what, TextKind kind, Diagnostics& diagnostics) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool lineBreak = byte == '\r' || byte == '\n';
    if (!isControl(byte) || byte == 0 || (lineBreak && kind != kPlainText)) continue;
    diagnostics.error(line, what + " contains a control character (" + controlName(byte) +
                                "), which the player cannot show");
    return;
  }
}

// The code box is a one-line box of kCodeBoxWidth pixels in the stock dialog font (about 8 points).
// A reward is estimated with the narrowest plausible width of each character, so the warning only
// comes when the end of the reward is surely hidden: 2 pixels for i, l, j, I, punctuation and space,
// 3 for f, r, t, 5 for everything else, within the box less a margin on each side.
constexpr int kCodeBoxTextWidth = kCodeBoxWidth - 4;

int narrowestWidth(unsigned char byte) {
  static const std::string narrow = "iljI.,:;!|' ";
  static const std::string slim = "frt";
  if (narrow.find(static_cast<char>(byte)) != std::string::npos) return 2;
  if (slim.find(static_cast<char>(byte)) != std::string::npos) return 3;
  return 5;
}

// How many bytes of the reward surely fit, or npos when all of it may.
std::size_t visibleInCodeBox(const std::string& bytes) {
  int width = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    width += narrowestWidth(static_cast<unsigned char>(bytes[i]));
    if (width > kCodeBoxTextWidth) return i;
  }
  return std::string::npos;
}

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
  checkControls(bytes, line, what, kind, diagnostics);
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
  else if (!source.rewards.empty() && source.rewards.size() < questions)  // no rewards at all is a choice
    diagnostics.warning(source.rewardsLine, std::to_string(source.rewards.size()) + " rewards for " +
                                                std::to_string(questions) + " questions: the higher levels show none");
  for (std::size_t level = 0; level < source.rewards.size(); ++level) {
    const std::string what = "reward " + std::to_string(level + 1);
    content.rewards.push_back(convertText(source.rewards[level], what, kRewardText, source.mediaKind, diagnostics));
    const std::size_t visible = visibleInCodeBox(content.rewards.back());
    if (visible != std::string::npos)
      diagnostics.warning(source.rewards[level].line,
                          what + " is wider than the code box, which shows about " +
                              quoted(cp1252ToUtf8(content.rewards.back().substr(0, visible))) + " of it");
  }
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
  if (source.title.present && source.title.value.empty()) diagnostics.error(source.title.line, "the title is empty");
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
