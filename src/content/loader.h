#pragma once
// Fills the Quiz from the built-in link text and the content resources "PATCH" 104 (answers) and 105
// (reward codes), decoding each as stored and, when that fails, descrambled.
#include <cstddef>
#include <cstdint>

#include "content/accepted_block.h"

namespace fenok {

class Graphics;
class Messages;
class Resources;
struct Quiz;

// What the loader works through: the program's resources, its messages (caption "Fenok") and the
// graphics that make the background brush.
struct ContentPorts {
  Resources& resources;
  Messages& messages;
  Graphics& graphics;
};

constexpr int kAnswersResourceId = 104;
constexpr int kCodesResourceId = 105;
extern const char* const kContentResourceType;  // "PATCH"
extern const char* const kLoaderCaption;        // "Fenok"

// How far the load went; each outcome but the first showed exactly one message of the loader.
enum class LoadOutcome {
  complete,         // questions and reward codes read
  linkTextFailed,   // "Erreur dans le décryptage": defaults, questionCount 0
  answersMissing,   // "Reponses non trouvées": the fallback content
  answersFailed,    // "Erreur dans le décryptage des reponses": link strings only, questionCount 0
  codesFailed,      // "Erreur dans le décryptage des codes": questions read, reward codes empty
};

// What the loader passes over in silence when stored content breaks the format: the player goes on
// with what it read, and only the authoring tool looks at this to warn the author.
struct ContentFindings {
  bool answersRanShort = false;        // the answers text ended before its last field
  std::size_t answersLeftOver = 0;     // bytes after the background colour and the block that may follow it
  bool codesRanShort = false;          // fewer reward lines than questions, or the last without CR LF
  std::size_t codesLeftOver = 0;       // bytes after the last reward line read
  bool mediaKindOutOfRange = false;    // not text, pictures, audio or video
  bool commentKindOutOfRange = false;  // not one of the five comment kinds
  bool questionCountOutOfRange = false;      // more than 96
  bool answersPerQuestionOutOfRange = false;  // neither 1 nor 2
  AcceptedBlock acceptedBlock = AcceptedBlock::absent;  // what became of the block after the colours

  bool any() const {
    return answersRanShort || answersLeftOver > 0 || codesRanShort || codesLeftOver > 0 || mediaKindOutOfRange ||
           commentKindOutOfRange || questionCountOutOfRange || answersPerQuestionOutOfRange ||
           acceptedBlock == AcceptedBlock::damaged || acceptedBlock == AcceptedBlock::newer;
  }
};

// Content that breaks the format is read as far as it goes, never past the decoded bytes
// (FieldReader): missing bytes read as 0, missing texts as empty, long texts are cut to their field.
// A question count above 96 keeps 96 questions, but the texts of the others are still read past so
// that the comment kind, the comments and the colour come from their places. An answers-per-question
// byte other than 2 reads and keeps one answer per question. Reward codes not read stay empty.
// findings, when given, is filled for the content that was decoded; it changes nothing of the load.
// A damaged accepted-answers block is ignored whole and shows no message (the quiz is still playable
// with its expected answers); findings tells what became of it.
LoadOutcome loadQuiz(const ContentPorts& ports, Quiz& quiz, ContentFindings* findings = nullptr);

// The same with another built-in link text (tests of its failure path).
LoadOutcome loadQuizWithLinkText(const ContentPorts& ports, Quiz& quiz, const std::uint8_t* linkText, std::size_t size,
                                 ContentFindings* findings = nullptr);

}  // namespace fenok
