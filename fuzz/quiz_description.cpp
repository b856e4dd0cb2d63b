// Fuzzes the reading and checking of a quiz description: any text gives problems with their lines or
// a quiz whose stored texts respect the format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "authoring/content_texts.h"
#include "authoring/quiz_checks.h"
#include "authoring/quiz_toml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fenok::pack::Diagnostics diagnostics("quiz.toml");
  fenok::pack::QuizSource source;
  if (!fenok::pack::readQuizToml(std::string(reinterpret_cast<const char*>(data), size), source, diagnostics)) return 0;
  fenok::pack::QuizContent content;
  fenok::pack::checkQuiz(source, content, diagnostics);
  if (diagnostics.hasErrors()) return 0;
  // A quiz without errors stores texts the player can read back field by field.
  if (content.questions.empty() || content.questions.size() > 96) __builtin_trap();
  const std::vector<std::uint8_t> answers = fenok::pack::answersText(content);
  const std::vector<std::uint8_t> codes = fenok::pack::codesText(content);
  if (answers.size() < 4 || codes.size() < 2 * content.questions.size()) __builtin_trap();
  return 0;
}
