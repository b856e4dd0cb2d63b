#pragma once
// The saved-answers file: one line per answer box ("text" CR LF), named after the program, in the
// current directory; read back 40 bytes at most a line.
#include <cstdint>
#include <string>
#include <vector>

namespace fenok {

class Files;
struct Quiz;

constexpr int kSavedLineLimit = 40;

std::string savedAnswersFileName(const std::string& modulePath);

// Writes the texts of the quiz panel's answer boxes (quiz.quizPanel) to the file.
void saveAnswers(Files& files, const Quiz& quiz);

class SavedAnswersReader {
 public:
  SavedAnswersReader() = default;
  explicit SavedAnswersReader(std::vector<std::uint8_t> content);
  static SavedAnswersReader open(const Files& files);  // missing or unreadable: empty
  std::string nextLine();                              // at most 40 bytes; empty past the end

 private:
  std::vector<std::uint8_t> content_;
  std::size_t position_ = 0;
};

}  // namespace fenok
