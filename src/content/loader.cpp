// loadQuiz: fills the Quiz from the built-in link text and the content resources.
//
// Decoded answers text ("PATCH" 104), in order: a marker byte (ignored), media kind + 1, question
// count, answers per question (bytes); title, author, explanation, the two answer captions (texts
// ended by '|'); per question its answer, its second answer (only with two answers per question) and
// its text; the comment kind (byte); per question one comment (kinds 2 and 4) or a comment and a
// discarded text (kind 3); the background red, green and blue (bytes). A quiz that asks the judge for
// more (accent tolerance, answers accepted beside the expected ones) goes on with the accepted-answers
// block (accepted_block.h); any other quiz ends there.
// Decoded codes text ("PATCH" 105): one reward line per question, each ended by CR LF.
#include "content/loader.h"

#include <algorithm>
#include <vector>

#include "content/accepted_block.h"
#include "content/content_key.h"
#include "content/field_reader.h"
#include "content/lzw.h"
#include "content/quiz.h"
#include "platform/ports/graphics.h"
#include "platform/ports/messages.h"
#include "platform/ports/resources.h"

namespace fenok {

const char* const kContentResourceType = "PATCH";
const char* const kLoaderCaption = "Fenok";

namespace {

// Windows-1252 texts of the messages.
const char* const kLinkTextError = "Erreur dans le d\xE9" "cryptage";
const char* const kAnswersMissing = "Reponses non trouv\xE9" "es";
const char* const kAnswersError = "Erreur dans le d\xE9" "cryptage des reponses";
const char* const kCodesError = "Erreur dans le d\xE9" "cryptage des codes";

void showMessage(const ContentPorts& ports, const char* text) {
  ports.messages.show(text, kLoaderCaption, kMbOk);
}

// Decodes the bytes as they are and, when that fails, a descrambled copy; the second result counts.
LzwStatus decodeContent(const ByteView& stored, std::vector<std::uint8_t>& decoded, Messages& messages) {
  const LzwStatus status = lzwDecode(stored.data, stored.size, decoded, messages);
  if (status == LzwStatus::ok) return status;
  std::vector<std::uint8_t> copy(stored.data, stored.data + stored.size);
  descramble(copy.data(), copy.size());
  return lzwDecode(copy.data(), copy.size(), decoded, messages);
}

ByteView findContent(const ContentPorts& ports, int id) {
  return ports.resources.find(ResourceType::named(kContentResourceType), id);
}

// The new background brush replaces the one made by initQuiz, which is released.
void setBackground(const ContentPorts& ports, Quiz& quiz, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  quiz.backRed = red;
  quiz.backGreen = green;
  quiz.backBlue = blue;
  const Handle old = quiz.backBrush;
  quiz.backBrush = ports.graphics.createSolidBrush(static_cast<std::uint32_t>(red) +
                                                   static_cast<std::uint32_t>(green) * 256u +
                                                   static_cast<std::uint32_t>(blue) * 65536u);
  ports.graphics.deleteObject(old);
}

void setFallbackContent(const ContentPorts& ports, Quiz& quiz) {
  copyField(quiz.title, kTextField, "Nom du fenok");
  copyField(quiz.author, kTextField, "Createur fenok");
  copyField(quiz.explanation, kTextField, "Explications du fenok");
  copyField(quiz.firstAnswerLabel, kTextField, "TEST");
  copyField(quiz.secondAnswerLabel, kTextField, "TEST");
  quiz.commentKind = kCommentTextAndPicture;
  quiz.answersPerQuestion = 1;
  quiz.questionCount = 7;
  quiz.mediaKind = kMediaPictures;
  setBackground(ports, quiz, 0x33, 0x66, 0xFF);
  appendAnswer(quiz, "TEST", "TEST", "emplacement");
  appendAnswer(quiz, "TEST", "TEST", "emplacement");
}

void readAnswers(const ContentPorts& ports, Quiz& quiz, const std::vector<std::uint8_t>& decoded,
                 ContentFindings& findings) {
  FieldReader reader(decoded);
  reader.byte();  // marker
  quiz.mediaKind = static_cast<std::int32_t>(reader.byte()) - 1;
  const int declaredCount = reader.byte();
  const std::uint8_t answersByte = reader.byte();
  const bool twoAnswers = answersByte == 2;
  findings.mediaKindOutOfRange = quiz.mediaKind < kMediaText || quiz.mediaKind > kMediaVideo;
  findings.questionCountOutOfRange = declaredCount > kMaxQuestions;
  findings.answersPerQuestionOutOfRange = answersByte != 1 && answersByte != 2;
  quiz.questionCount = std::min(declaredCount, kMaxQuestions);
  quiz.answersPerQuestion = twoAnswers ? 2 : 1;
  reader.text(quiz.title, kTextField);
  reader.text(quiz.author, kTextField);
  reader.text(quiz.explanation, kTextField);
  reader.text(quiz.firstAnswerLabel, kTextField);
  reader.text(quiz.secondAnswerLabel, kTextField);

  for (int j = 0; j < declaredCount; ++j) {
    char answer[kTextField];
    char secondAnswer[kTextField] = "";
    char question[kTextField];
    reader.text(answer, kTextField);
    if (twoAnswers) reader.text(secondAnswer, kTextField);
    reader.text(question, kTextField);
    if (j < kMaxQuestions) appendAnswer(quiz, answer, secondAnswer, question);
  }

  quiz.commentKind = reader.byte();
  findings.commentKindOutOfRange = quiz.commentKind > kCommentAllAtEnd;
  const bool commentAndText = quiz.commentKind == kCommentTextAndPicture;
  if (carriesComments(quiz.commentKind)) {
    for (int j = 0; j < declaredCount; ++j) {
      AnswerEntry* entry = j < kMaxQuestions ? answerAt(quiz, j) : nullptr;
      if (entry != nullptr) {
        reader.text(entry->comment, kTextField);
      } else {
        reader.skipText();
      }
      if (commentAndText) reader.skipText();
    }
  }

  const std::uint8_t red = reader.byte();
  const std::uint8_t green = reader.byte();
  const std::uint8_t blue = reader.byte();
  setBackground(ports, quiz, red, green, blue);
  if (reader.ranOut()) {
    findings.answersRanShort = true;
    return;
  }
  const std::size_t colourEnd = reader.position();
  const AcceptedBlock block = readAcceptedBlock(decoded.data(), decoded.size(), colourEnd, declaredCount,
                                                quiz.answersPerQuestion, quiz);
  // Bytes that do not even start with the block's marker are stray bytes, not a damaged block.
  const bool marked = opensAcceptedBlock(decoded.data(), decoded.size(), colourEnd);
  findings.acceptedBlock = marked ? block : AcceptedBlock::absent;
  const std::size_t end = marked ? acceptedBlockEnd(decoded.data(), decoded.size(), colourEnd) : colourEnd;
  findings.answersLeftOver = decoded.size() - end;
}

void readCodes(Quiz& quiz, const std::vector<std::uint8_t>& decoded, ContentFindings& findings) {
  FieldReader reader(decoded);
  for (int k = 0; k < quiz.questionCount; ++k) reader.line(quiz.rewardCodes[k], kTextField);
  findings.codesRanShort = reader.ranOut();
  findings.codesLeftOver = decoded.size() - reader.position();
}

}  // namespace

LoadOutcome loadQuizWithLinkText(const ContentPorts& ports, Quiz& quiz, const std::uint8_t* linkText, std::size_t size,
                                 ContentFindings* findingsOut) {
  for (char* code : quiz.rewardCodes) code[0] = '\0';
  ContentFindings unused;
  ContentFindings& findings = findingsOut != nullptr ? *findingsOut : unused;
  findings = ContentFindings{};

  std::vector<std::uint8_t> decoded;
  if (lzwDecode(linkText, size, decoded, ports.messages) != LzwStatus::ok) {
    showMessage(ports, kLinkTextError);
    quiz.questionCount = 0;
    return LoadOutcome::linkTextFailed;
  }
  FieldReader link(decoded, 2);
  link.text(quiz.linkAddress, kLinkAddressField);
  link.text(quiz.statusText, kStatusTextField);

  const ByteView answers = findContent(ports, kAnswersResourceId);
  if (answers.empty()) {
    showMessage(ports, kAnswersMissing);
    setFallbackContent(ports, quiz);
    return LoadOutcome::answersMissing;
  }
  if (decodeContent(answers, decoded, ports.messages) != LzwStatus::ok) {
    showMessage(ports, kAnswersError);
    quiz.questionCount = 0;
    return LoadOutcome::answersFailed;
  }
  readAnswers(ports, quiz, decoded, findings);

  const ByteView codes = findContent(ports, kCodesResourceId);
  if (codes.empty() || decodeContent(codes, decoded, ports.messages) != LzwStatus::ok) {
    showMessage(ports, kCodesError);
    return LoadOutcome::codesFailed;
  }
  readCodes(quiz, decoded, findings);
  return LoadOutcome::complete;
}

LoadOutcome loadQuiz(const ContentPorts& ports, Quiz& quiz, ContentFindings* findings) {
  const std::vector<std::uint8_t>& linkText = builtInLinkText();
  return loadQuizWithLinkText(ports, quiz, linkText.data(), linkText.size(), findings);
}

}  // namespace fenok
