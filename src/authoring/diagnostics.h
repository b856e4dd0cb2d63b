#pragma once
// Problems found in a quiz description: each has its file, its line (0 when it belongs to the whole
// file), a severity and a message, and prints as "FILE:LINE: what is wrong". Errors stop the build,
// warnings only inform. The list is kept as records, their messages by name (messages.h), so that any
// front end can show it its own way and in its own language.
#include <string>
#include <utility>
#include <vector>

#include "messages.h"

namespace fenok::pack {

enum class Severity { error, warning };

struct Problem {
  std::string file;
  int line = 0;
  Severity severity = Severity::error;
  Message message;
};

// "FILE:LINE: message", the message of a warning marked as one.
inline std::string formatProblem(const Problem& problem, Language language) {
  const std::string where = problem.line > 0 ? problem.file + ":" + std::to_string(problem.line) : problem.file;
  const Msg form = problem.severity == Severity::warning ? Msg::problemWarning : Msg::problemError;
  return say(language, form, where, problem.message);
}

class Diagnostics {
 public:
  explicit Diagnostics(std::string file) : file_(std::move(file)) {}

  void error(int line, Message what) { problems_.push_back({file_, line, Severity::error, std::move(what)}); }
  void warning(int line, Message what) { problems_.push_back({file_, line, Severity::warning, std::move(what)}); }
  template <typename... Args>
  void error(int line, Msg id, Args&&... args) {
    error(line, message(id, std::forward<Args>(args)...));
  }
  template <typename... Args>
  void warning(int line, Msg id, Args&&... args) {
    warning(line, message(id, std::forward<Args>(args)...));
  }

  bool hasErrors() const {
    for (const Problem& problem : problems_)
      if (problem.severity == Severity::error) return true;
    return false;
  }
  const std::vector<Problem>& problems() const { return problems_; }
  std::vector<std::string> errors(Language language) const { return formatted(Severity::error, language); }
  std::vector<std::string> warnings(Language language) const { return formatted(Severity::warning, language); }
  const std::string& file() const { return file_; }

 private:
  std::vector<std::string> formatted(Severity severity, Language language) const {
    std::vector<std::string> lines;
    for (const Problem& problem : problems_)
      if (problem.severity == severity) lines.push_back(formatProblem(problem, language));
    return lines;
  }

  std::string file_;
  std::vector<Problem> problems_;
};

}  // namespace fenok::pack
