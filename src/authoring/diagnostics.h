#pragma once
// Problems found in a quiz description: each has its file, its line (0 when it belongs to the whole
// file), a severity and a message, and prints as "FILE:LINE: what is wrong". Errors stop the build,
// warnings only inform. The list is kept as records so that any front end can show it its own way.
#include <string>
#include <vector>

namespace fenok::pack {

enum class Severity { error, warning };

struct Problem {
  std::string file;
  int line = 0;
  Severity severity = Severity::error;
  std::string message;
};

// "FILE:LINE: message", with "warning: " before the message of a warning.
inline std::string formatProblem(const Problem& problem) {
  const std::string where = problem.line > 0 ? problem.file + ":" + std::to_string(problem.line) : problem.file;
  return where + ": " + (problem.severity == Severity::warning ? "warning: " : "") + problem.message;
}

class Diagnostics {
 public:
  explicit Diagnostics(std::string file) : file_(std::move(file)) {}

  void error(int line, const std::string& what) { add({file_, line, Severity::error, what}, errors_); }
  void warning(int line, const std::string& what) { add({file_, line, Severity::warning, what}, warnings_); }

  bool hasErrors() const { return !errors_.empty(); }
  const std::vector<Problem>& problems() const { return problems_; }
  const std::vector<std::string>& errors() const { return errors_; }      // formatted, in order
  const std::vector<std::string>& warnings() const { return warnings_; }  // formatted, in order
  const std::string& file() const { return file_; }

 private:
  void add(Problem problem, std::vector<std::string>& formatted) {
    formatted.push_back(formatProblem(problem));
    problems_.push_back(std::move(problem));
  }

  std::string file_;
  std::vector<Problem> problems_;
  std::vector<std::string> errors_;
  std::vector<std::string> warnings_;
};

}  // namespace fenok::pack
