// Answers text: a marker byte, media kind + 1, question count, answers per question, then texts ended
// by '|' (title, author, explanation, the two captions; per question its answer, its second answer
// when there are two, its text), the comment kind, the comments the kind asks for, and the background
// as red, green, blue; then, only for a quiz that asks for accent tolerance or accepts more answers, the
// accepted-answers block (content/accepted_block.h). Codes text: one line per question, each ended by CR LF.
#include "content_texts.h"

#include "content/accepted_block.h"
#include "content/content_key.h"
#include "content/loader.h"
#include "content/lzw.h"
#include "content/quiz.h"

namespace fenok::pack {
namespace {

constexpr std::uint8_t kMarker = 0;

void putText(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back('|');
}

void putByte(std::vector<std::uint8_t>& out, int value) { out.push_back(static_cast<std::uint8_t>(value)); }

void putComments(std::vector<std::uint8_t>& out, const QuizContent& quiz) {
  for (const QuizQuestion& question : quiz.questions) {
    if (!carriesComments(quiz.commentKind)) return;
    putText(out, question.comment);
    // With a comment and a solution picture the player reads past one more text per question.
    if (quiz.commentKind == kCommentTextAndPicture) putText(out, "");
  }
}

bool asksForMore(const QuizContent& quiz) {
  if (quiz.accentMode != kAccentsStrict) return true;
  for (const QuizQuestion& question : quiz.questions)
    if (!question.also.empty() || !question.secondAlso.empty()) return true;
  return false;
}

void putForms(std::vector<std::uint8_t>& out, const std::vector<std::string>& forms) {
  putByte(out, static_cast<int>(forms.size()));
  for (const std::string& form : forms) putText(out, form);
}

void putAcceptedBlock(std::vector<std::uint8_t>& out, const QuizContent& quiz) {
  std::vector<std::uint8_t> body;
  putByte(body, quiz.accentMode);
  for (const QuizQuestion& question : quiz.questions) {
    putForms(body, question.also);
    if (quiz.answersPerQuestion == 2) putForms(body, question.secondAlso);
  }
  out.insert(out.end(), std::begin(kAcceptedMarker), std::end(kAcceptedMarker));
  putByte(out, kAcceptedVersion);
  for (std::size_t i = 0; i < kAcceptedLengthSize; ++i) putByte(out, static_cast<int>((body.size() >> (8 * i)) & 0xFF));
  out.insert(out.end(), body.begin(), body.end());
}

bool decodesTo(const std::vector<std::uint8_t>& stored, const std::vector<std::uint8_t>& text) {
  std::vector<std::uint8_t> decoded;
  return lzwDecode(stored.data(), stored.size(), decoded) == LzwStatus::ok && decoded == text;
}

}  // namespace

std::vector<std::uint8_t> answersText(const QuizContent& quiz) {
  std::vector<std::uint8_t> out;
  putByte(out, kMarker);
  putByte(out, quiz.mediaKind + 1);
  putByte(out, static_cast<int>(quiz.questions.size()));
  putByte(out, quiz.answersPerQuestion);
  for (const std::string* text :
       {&quiz.title, &quiz.author, &quiz.explanation, &quiz.firstAnswerLabel, &quiz.secondAnswerLabel})
    putText(out, *text);
  for (const QuizQuestion& question : quiz.questions) {
    putText(out, question.answer);
    if (quiz.answersPerQuestion == 2) putText(out, question.secondAnswer);
    putText(out, question.text);
  }
  putByte(out, quiz.commentKind);
  putComments(out, quiz);
  putByte(out, quiz.backRed);
  putByte(out, quiz.backGreen);
  putByte(out, quiz.backBlue);
  if (asksForMore(quiz)) putAcceptedBlock(out, quiz);
  return out;
}

std::vector<std::uint8_t> codesText(const QuizContent& quiz) {
  std::vector<std::uint8_t> out;
  for (std::size_t level = 0; level < quiz.questions.size(); ++level) {
    if (level < quiz.rewards.size()) out.insert(out.end(), quiz.rewards[level].begin(), quiz.rewards[level].end());
    out.push_back('\r');
    out.push_back('\n');
  }
  return out;
}

std::vector<std::uint8_t> storedForm(const std::vector<std::uint8_t>& text, bool plain) {
  std::vector<std::uint8_t> stored = lzwEncode(text);
  if (stored.size() > kLzwMaxInput || !decodesTo(stored, text)) return {};
  if (plain) return stored;
  std::vector<std::uint8_t> scrambled = stored;
  descramble(scrambled.data(), scrambled.size());
  // The player tries the bytes as they are before descrambling them: should the scrambled bytes
  // happen to decode as they are, they would give garbage, so such a text is stored plain.
  std::vector<std::uint8_t> asStored;
  if (lzwDecode(scrambled.data(), scrambled.size(), asStored) == LzwStatus::ok) return stored;
  return scrambled;
}

bool contentResources(const QuizContent& quiz, bool plain, std::vector<PeResourceEntry>& out, Message& error) {
  struct Content {
    int id;
    std::vector<std::uint8_t> text;
    Msg tooLarge;
  };
  for (const Content& content : {Content{kAnswersResourceId, answersText(quiz), Msg::contentTooLarge},
                                 Content{kCodesResourceId, codesText(quiz), Msg::rewardsTooLarge}}) {
    PeResourceEntry entry;
    entry.typeName = kContentResourceType;
    entry.id = content.id;
    entry.bytes = storedForm(content.text, plain);
    if (entry.bytes.empty()) {
      error = message(content.tooLarge, content.text.size(), kLzwMaxInput);
      return false;
    }
    out.push_back(std::move(entry));
  }
  return true;
}

}  // namespace fenok::pack
