#pragma once
// Fills the Quiz from the built-in link text and the content resources "PATCH" 104 (answers) and 105
// (reward codes), decoding each as stored and, when that fails, descrambled.
#include <cstddef>
#include <cstdint>

namespace fenok {

struct Platform;
struct Quiz;
enum class AcceptedBlock;

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

// Uses platform.resources, platform.messages (caption "Fenok") and platform.graphics (background
// brush); each may be null (no resources, no messages shown, no brush made).
//
// Content that breaks the format is read as far as it goes, never past the decoded bytes
// (FieldReader): missing bytes read as 0, missing texts as empty, long texts are cut to their field.
// A question count above 96 keeps 96 questions, but the texts of the others are still read past so
// that the comment kind, the comments and the colour come from their places. An answers-per-question
// byte other than 2 reads and keeps one answer per question. Reward codes not read stay empty.
// A damaged accepted-answers block is ignored whole and shows no message (the quiz is still playable
// with its expected answers); accepted, when given, tells what became of the block.
LoadOutcome loadQuiz(Platform& platform, Quiz& quiz, AcceptedBlock* accepted = nullptr);

// The same with another built-in link text (tests of its failure path).
LoadOutcome loadQuizWithLinkText(Platform& platform, Quiz& quiz, const std::uint8_t* linkText, std::size_t size,
                                 AcceptedBlock* accepted = nullptr);

}  // namespace fenok
