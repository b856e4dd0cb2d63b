#include "quiz_checks.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "content/quiz.h"
#include "judge/accent_fold.h"
#include "text_encoding.h"
#include "ui/header_panel.h"
#include "ui/quiz_panel.h"

namespace fenok::pack {
namespace {

enum TextKind { kPlainText, kAnswerText, kRewardText };

// Windows-1252 bytes that the player's labels and boxes cannot show as a character: C0 controls,
// DEL, and the five unassigned bytes (C1 controls once converted).
bool isControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

Message controlName(unsigned char byte) {
  if (byte == '\t') return message(Msg::aTab);
  if (byte == '\r' || byte == '\n') return message(Msg::aLineBreak);
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(byte));
  return valueMessage(name);
}

// Line breaks in rewards and answers, and NUL anywhere, have messages of their own.
void checkControls(const std::string& bytes, int line, const Message& what, TextKind kind, Diagnostics& diagnostics) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool lineBreak = byte == '\r' || byte == '\n';
    if (!isControl(byte) || byte == 0 || (lineBreak && kind != kPlainText)) continue;
    diagnostics.error(line, Msg::textHasControl, what, controlName(byte));
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
void checkStoredText(const std::string& bytes, int line, const Message& what, TextKind kind,
                     Diagnostics& diagnostics) {
  if (bytes.find('|') != std::string::npos) diagnostics.error(line, Msg::textHasSeparator, what);
  if (bytes.find('\0') != std::string::npos) diagnostics.error(line, Msg::textHasNul, what);
  if (bytes.size() > kMaxTextBytes) diagnostics.error(line, Msg::textTooLong, what, bytes.size(), kMaxTextBytes);
  if (kind == kRewardText && bytes.find_first_of("\r\n") != std::string::npos)
    diagnostics.error(line, Msg::rewardHasLineBreak, what);
  checkControls(bytes, line, what, kind, diagnostics);
}

// An answer to check: what it is called, and what is said when it is empty (a question without its
// answer is told as such, an empty accepted form as an empty text).
struct AnswerRole {
  Message what;
  Message whenEmpty;
};

// What an expected answer must respect to be typed, kept and judged right.
void checkAnswer(const std::string& bytes, const SourceText& text, const AnswerRole& role, int mediaKind,
                 Diagnostics& diagnostics) {
  const int line = text.line;
  if (bytes.find_first_of("\r\n") != std::string::npos) diagnostics.error(line, Msg::answerHasLineBreak, role.what);
  if (bytes.empty()) diagnostics.error(line, role.whenEmpty);
  const bool overTheBox = bytes.size() > kAnswerBoxLength && bytes.size() <= kMaxTextBytes;
  if (overTheBox && mediaKind == kMediaText)
    diagnostics.warning(line, Msg::answerLongerThanSaved, role.what, kAnswerBoxLength);
  else if (overTheBox)
    diagnostics.error(line, Msg::answerOverTheBox, role.what, bytes.size(), kAnswerBoxLength);
  if (!bytes.empty() && (bytes.front() == ' ' || bytes.back() == ' '))
    diagnostics.warning(line, Msg::answerSpaceAtEnd, role.what, text.value);
}

// Converts one text to Windows-1252 and checks it as stored; empty when it cannot be converted.
std::optional<std::string> convertStored(const SourceText& text, const Message& what, TextKind kind,
                                         Diagnostics& diagnostics) {
  EncodingError encoding;
  const std::optional<std::string> converted = utf8ToCp1252(text.value, &encoding);
  if (!converted) {
    diagnostics.error(text.line, Msg::textNotWindows1252, what, encoding.character, encoding.description);
    return std::nullopt;
  }
  checkStoredText(*converted, text.line, what, kind, diagnostics);
  return converted;
}

std::string convertText(const SourceText& text, const Message& what, TextKind kind, Diagnostics& diagnostics) {
  return convertStored(text, what, kind, diagnostics).value_or(std::string());
}

// In strict mode the player upper-cases only a-z: an answer with a capital such as É, Œ or Ç is never
// "BRAVO" for a player who types it in small letters.
void checkCapitals(const std::string& bytes, const SourceText& text, const Message& what, int accentMode,
                   Diagnostics& diagnostics) {
  if (accentMode != kAccentsStrict || !hasCapitalBeyondAscii(bytes)) return;
  std::string capital;
  for (const char c : bytes)
    if (capital.empty() && hasCapitalBeyondAscii(std::string(1, c))) capital = cp1252ToUtf8(std::string(1, c));
  diagnostics.warning(text.line, Msg::answerCapitalNotUpperCased, what, text.value, capital);
}

// An expected answer or an accepted one: converted, checked as an answer, and for its capitals.
std::string convertAnswer(const SourceText& text, const AnswerRole& role, const QuizSource& source,
                          Diagnostics& diagnostics) {
  const std::optional<std::string> bytes = convertStored(text, role.what, kAnswerText, diagnostics);
  if (!bytes) return {};
  checkAnswer(*bytes, text, role, source.mediaKind, diagnostics);
  checkCapitals(*bytes, text, role.what, source.accentMode, diagnostics);
  return *bytes;
}

std::vector<std::string> convertAlso(const std::vector<SourceText>& forms, int line, const Message& box,
                                     const QuizSource& source, Diagnostics& diagnostics) {
  if (forms.size() > static_cast<std::size_t>(kMaxAlsoForms))
    diagnostics.error(line, Msg::tooManyAcceptedAnswers, box, forms.size(), kMaxAlsoForms);
  std::vector<std::string> converted;
  for (std::size_t i = 0; i < forms.size() && i < static_cast<std::size_t>(kMaxAlsoForms); ++i) {
    if (!forms[i].present) continue;
    const Message what = message(Msg::theAcceptedAnswer, i + 1, box);
    converted.push_back(convertAnswer(forms[i], {what, message(Msg::textEmpty, what)}, source, diagnostics));
  }
  return converted;
}

void checkKinds(const QuizSource& source, Diagnostics& diagnostics) {
  if (!source.mediaPresent) diagnostics.error(0, Msg::missingKey, "media");
  if (source.mediaKind == kMediaText && source.answersPerQuestion == 2)
    diagnostics.error(source.answersPerQuestionLine, Msg::textQuizHasOneBox);
  if (showsSolutionPicture(source.commentKind) && source.mediaKind != kMediaPictures)
    diagnostics.error(source.commentsLine, Msg::solutionsNeedPictures, kCommentNames[source.commentKind]);
  if (carriesComments(source.commentKind) && source.mediaKind == kMediaText)
    diagnostics.warning(source.commentsLine, Msg::textQuizShowsNoComments);
  if (source.answersPerQuestion == 1 &&
      (!source.firstAnswerLabel.value.empty() || !source.secondAnswerLabel.value.empty()))
    diagnostics.warning(source.firstAnswerLabel.line, Msg::labelsNeedTwoAnswers);
}

void checkQuestionCount(const QuizSource& source, Diagnostics& diagnostics) {
  const std::size_t count = source.questions.size();
  if (count == 0) diagnostics.error(0, Msg::noQuestion);
  if (count > static_cast<std::size_t>(kMaxQuestions))
    diagnostics.error(source.questions[kMaxQuestions].line, Msg::tooManyQuestions, kMaxQuestions, count);
}

void requireKey(const SourceText& text, const char* key, std::size_t number, int line, Diagnostics& diagnostics) {
  if (!text.present) diagnostics.error(line, Msg::missingQuestionKey, key, number);
}

QuizQuestion convertQuestion(const QuizSource& source, std::size_t index, Diagnostics& diagnostics) {
  const SourceQuestion& question = source.questions[index];
  const std::size_t number = index + 1;
  requireKey(question.answer, "answer", number, question.line, diagnostics);
  if (source.answersPerQuestion == 2)
    requireKey(question.secondAnswer, "second_answer", number, question.line, diagnostics);
  else if (question.secondAnswer.present)
    diagnostics.error(question.secondAnswer.line, Msg::secondAnswerNeedsTwo);
  if (source.mediaKind == kMediaText) requireKey(question.text, "text", number, question.line, diagnostics);
  if (question.comment.present && !carriesComments(source.commentKind))
    diagnostics.warning(question.comment.line, Msg::commentNeverShown, number, kCommentNames[source.commentKind]);

  if (question.secondAlsoLine > 0 && source.answersPerQuestion != 2)
    diagnostics.error(question.secondAlsoLine, Msg::secondAlsoNeedsTwo);

  QuizQuestion converted;
  if (question.answer.present)
    converted.answer = convertAnswer(
        question.answer, {message(Msg::theAnswerOf, number), message(Msg::noAnswerYet, number)}, source, diagnostics);
  if (question.secondAnswer.present && source.answersPerQuestion == 2)
    converted.secondAnswer = convertAnswer(
        question.secondAnswer, {message(Msg::theSecondAnswerOf, number), message(Msg::noSecondAnswerYet, number)},
        source, diagnostics);
  converted.also =
      convertAlso(question.also, question.alsoLine, message(Msg::theQuestion, number), source, diagnostics);
  if (source.answersPerQuestion == 2)
    converted.secondAlso = convertAlso(question.secondAlso, question.secondAlsoLine,
                                       message(Msg::theSecondBoxOf, number), source, diagnostics);
  converted.text = convertText(question.text, message(Msg::theTextOf, number), kPlainText, diagnostics);
  converted.comment = convertText(question.comment, message(Msg::theCommentOf, number), kPlainText, diagnostics);
  return converted;
}

void convertRewards(const QuizSource& source, QuizContent& content, Diagnostics& diagnostics) {
  const std::size_t questions = source.questions.size();
  if (source.rewards.size() > questions)
    diagnostics.error(source.rewardsLine, Msg::tooManyRewards, source.rewards.size(), questions);
  else if (!source.rewards.empty() && source.rewards.size() < questions)  // no rewards at all is a choice
    diagnostics.warning(source.rewardsLine, Msg::tooFewRewards, source.rewards.size(), questions);
  for (std::size_t level = 0; level < source.rewards.size(); ++level) {
    const Message what = message(Msg::theReward, level + 1);
    content.rewards.push_back(convertText(source.rewards[level], what, kRewardText, diagnostics));
    const std::size_t visible = visibleInCodeBox(content.rewards.back());
    if (visible != std::string::npos)
      diagnostics.warning(source.rewards[level].line, Msg::rewardWiderThanBox, what,
                          cp1252ToUtf8(content.rewards.back().substr(0, visible)));
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
  if (!source.title.present) diagnostics.error(0, Msg::missingKey, "title");
  if (source.title.present && source.title.value.empty()) diagnostics.error(source.title.line, Msg::titleEmpty);
  checkKinds(source, diagnostics);
  checkQuestionCount(source, diagnostics);

  content.mediaKind = source.mediaKind;
  content.answersPerQuestion = source.answersPerQuestion;
  content.commentKind = source.commentKind;
  content.accentMode = source.accentMode;
  content.backRed = source.backRed;
  content.backGreen = source.backGreen;
  content.backBlue = source.backBlue;
  content.title = convertText(source.title, message(Msg::theTitle), kPlainText, diagnostics);
  content.author = convertText(source.author, message(Msg::theAuthor), kPlainText, diagnostics);
  content.explanation = convertText(source.explanation, message(Msg::theExplanation), kPlainText, diagnostics);
  content.firstAnswerLabel =
      convertText(source.firstAnswerLabel, message(Msg::theFirstAnswerLabel), kPlainText, diagnostics);
  content.secondAnswerLabel =
      convertText(source.secondAnswerLabel, message(Msg::theSecondAnswerLabel), kPlainText, diagnostics);
  for (std::size_t i = 0; i < source.questions.size() && i < static_cast<std::size_t>(kMaxQuestions); ++i)
    content.questions.push_back(convertQuestion(source, i, diagnostics));
  convertRewards(source, content, diagnostics);
  if (labelsHardToRead(source.backRed, source.backGreen, source.backBlue))
    diagnostics.warning(source.backgroundLine, labelsDrawnBlack(source.backRed, source.backGreen)
                                                   ? Msg::numbersHardToReadBlack
                                                   : Msg::numbersHardToReadWhite);
}

}  // namespace fenok::pack
